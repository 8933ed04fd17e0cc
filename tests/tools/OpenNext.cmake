# `trassolin-tool open-next WORK Demo` names Demo in the parameter file and keeps its other lines;
# a name that could leave Projekte/ is refused and leaves the file as it was.
cmake_minimum_required(VERSION 3.25)
set(file ${WORK}/data/Trassolin20Parameter.dat)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/data)
string(ASCII 13 CR)
set(before "41${CR}\nDefault${CR}\nLetzteMalVerbundenMitZentrale 11.12.2026${CR}\n**00001000020000300004${CR}\n")
file(WRITE ${file} "${before}")

execute_process(COMMAND ${PROGRAM} open-next ${WORK} Demo RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "exit code ${rc}: ${err}")
endif()
# Compared as hexadecimal text: file(READ) would drop the carriage returns.
file(READ ${file} after HEX)
string(REPLACE "Default" "Demo" expected "${before}")
file(WRITE ${WORK}/expected "${expected}")
file(READ ${WORK}/expected expected HEX)
if(NOT after STREQUAL expected)
  message(FATAL_ERROR "parameter file:\n${after}\nexpected:\n${expected}")
endif()

execute_process(COMMAND ${PROGRAM} open-next ${WORK} ../Anderswo RESULT_VARIABLE rc ERROR_VARIABLE err)
file(READ ${file} refused HEX)
if(rc EQUAL 0 OR NOT refused STREQUAL expected)
  message(FATAL_ERROR "exit code ${rc}, file:\n${refused}")
endif()
