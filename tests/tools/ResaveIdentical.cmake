# Copies FIXTURE into a project folder named after it, runs `PROGRAM resave` into another folder
# and checks that the file written back is byte for byte the fixture.
cmake_minimum_required(VERSION 3.25)
get_filename_component(name ${FIXTURE} NAME_WE)
get_filename_component(file ${FIXTURE} NAME)
set(root ${WORK}/resave-${name})
file(REMOVE_RECURSE ${root})
file(MAKE_DIRECTORY ${root}/Projekte/${name})
file(COPY ${FIXTURE} DESTINATION ${root}/Projekte/${name})
execute_process(COMMAND ${PROGRAM} resave ${root}/Projekte/${name} ${root}/out
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "resave failed (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${FIXTURE} ${root}/out/${file} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${file} changed on resave")
endif()
