# nir-clean without --yes or --no, its stdin not a terminal: Cancel.
# cmake -DCLI=<exe> -DFIXTURE=<file> -DDIR=<scratch folder> -P nir_no_terminal.cmake
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")
file(COPY_FILE "${FIXTURE}" "${DIR}/a.ASC")
execute_process(COMMAND "${CLI}" nir-clean "${DIR}/a.ASC" INPUT_FILE /dev/null
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(expected "There are 1 Files to be Processed with this!\nCancelled: nothing was processed\n")
if(NOT code EQUAL 1 OR NOT out STREQUAL "" OR NOT err STREQUAL expected)
  message(FATAL_ERROR "exit ${code}, stdout '${out}', stderr '${err}'")
endif()
file(GLOB left RELATIVE "${DIR}" "${DIR}/*" "${DIR}/.*")
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${DIR}/a.ASC" "${FIXTURE}" RESULT_VARIABLE differs)
if(differs OR NOT left STREQUAL "a.ASC")
  message(FATAL_ERROR "the folder changed: ${left}")
endif()
