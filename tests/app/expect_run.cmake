cmake_minimum_required(VERSION 3.25)
# Runs a program and checks its exit code and what it printed.
# cmake -DPROGRAM=<exe> -DARGS=<arguments parted by |> -DEXIT=<code> [-DMATCH=<regex>] [-DUNSET=<vars parted by |>]
#       -P expect_run.cmake
string(REPLACE "|" ";" arguments "${ARGS}")
string(REPLACE "|" ";" unset "${UNSET}")
foreach(variable IN LISTS unset)
  unset(ENV{${variable}})
endforeach()
execute_process(COMMAND "${PROGRAM}" ${arguments} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code STREQUAL EXIT)
  message(FATAL_ERROR "${PROGRAM} ${ARGS} exited with ${code}, expected ${EXIT}\nstdout: ${out}\nstderr: ${err}")
endif()
if(DEFINED MATCH AND NOT "${out}${err}" MATCHES "${MATCH}")
  message(FATAL_ERROR "${PROGRAM} ${ARGS} printed no match for '${MATCH}'\nstdout: ${out}\nstderr: ${err}")
endif()
