# Runs `PROGRAM SCENARIO` with the control lines of INPUT on stdin and checks that it ends with
# exit code 0 and that stdout holds each of the lines in EXPECT (a list), in that order.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${PROGRAM} ${SCENARIO} INPUT_FILE ${INPUT} TIMEOUT 60
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc STREQUAL "0")
  message(FATAL_ERROR "exit code ${rc}\nstdout:\n${out}\nstderr:\n${err}")
endif()
set(from 0)
foreach(line IN LISTS EXPECT)
  string(SUBSTRING "${out}" ${from} -1 rest)
  string(FIND "${rest}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "stdout lacks \"${line}\" after position ${from}:\n${out}")
  endif()
  math(EXPR from "${from} + ${at}")
endforeach()
