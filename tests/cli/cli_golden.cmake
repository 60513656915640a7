# Runs specbridge-cli and compares the file it wrote with an expected file.
# cmake -DCLI=<exe> -DARGS=<arguments parted by |> -DOUT=<file> -DEXPECTED=<file> -P cli_golden.cmake
string(REPLACE "|" ";" arguments "${ARGS}")
file(REMOVE "${OUT}")
get_filename_component(out_dir "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${out_dir}")
execute_process(COMMAND "${CLI}" ${arguments} RESULT_VARIABLE code ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "specbridge-cli exited with ${code}: ${err}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}" "${EXPECTED}" RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${OUT} differs from ${EXPECTED}")
endif()
