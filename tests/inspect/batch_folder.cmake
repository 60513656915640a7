# Runs specbridge-cli batch titration over a folder made here and checks the
# exit code, the report, the files written and the ones left alone: a
# refused file, a series with a gap, an existing output, two series in
# numeric order and, in a subfolder, a series whose output clashes.
# cmake -DCLI=<exe> -DDATA=<tests/data> -DDIR=<folder to make> -P batch_folder.cmake
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")
set(comma ${DATA}/titration/comma)
foreach(base s2- s10-)
  foreach(n 00 01 02)
    file(COPY_FILE ${comma}/comma${n}.ASC ${DIR}/${base}${n}.ASC)
  endforeach()
endforeach()
file(COPY_FILE ${comma}/comma00.ASC ${DIR}/gap00.ASC)
file(COPY_FILE ${comma}/comma01.ASC ${DIR}/gap01.ASC)
file(COPY_FILE ${comma}/comma02.ASC ${DIR}/gap03.ASC)
file(MAKE_DIRECTORY ${DIR}/sub ${DIR}/out)
file(COPY_FILE ${comma}/comma00.ASC ${DIR}/sub/gap00.ASC)
file(COPY_FILE ${comma}/comma00.ASC ${DIR}/old00.ASC)
file(WRITE ${DIR}/out/old.txt "an earlier output\n")
file(WRITE ${DIR}/bad00.ASC "junk\r\n")
file(WRITE ${DIR}/notes.txt "not an input\n")

execute_process(COMMAND "${CLI}" batch titration . --recursive --output-dir out -j 2
                        --comment1 "Titration A" --comment2 "pH 7" --v0 2 --vt 0.01 --cm 0.0001 --ch 0 --temp 25
                        --titrant 1:0.001 --titrant 3:0.01
                WORKING_DIRECTORY "${DIR}" RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 1)
  message(FATAL_ERROR "batch exited with ${code}, expected 1\nstdout: ${out}\nstderr: ${err}")
endif()
string(CONCAT expected
  "failed    ./bad00.ASC: bad00.ASC, line 1: not a spectrum file of a known layout ('junk')\n"
  "converted ./gap00.ASC -> out/gap.txt ('gap02.ASC' is missing: the series ends at gap01.ASC and leaves out 1 "
  "later file, gap03.ASC)\n"
  "skipped   ./old00.ASC: out/old.txt exists (--force replaces it)\n"
  "converted ./s2-00.ASC -> out/s2-.txt\n"
  "converted ./s10-00.ASC -> out/s10-.txt\n"
  "failed    ./sub/gap00.ASC: its output out/gap.txt is the output of ./gap00.ASC too; nothing was written for it\n")
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "batch reported\n${out}\ninstead of\n${expected}\nstderr: ${err}")
endif()
if(NOT err MATCHES "6 inputs: 3 converted, 1 skipped, 2 failed in ")
  message(FATAL_ERROR "no summary on stderr: ${err}")
endif()
# Each series converted as the titration command converts it alone.
foreach(base s2- s10-)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DIR}/out/${base}.txt ${DATA}/titration/expected/comma.txt
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${DIR}/out/${base}.txt differs from titration/expected/comma.txt")
  endif()
endforeach()
file(READ ${DIR}/out/old.txt old)
if(NOT old STREQUAL "an earlier output\n")
  message(FATAL_ERROR "old.txt was overwritten: ${old}")
endif()
file(GLOB_RECURSE written RELATIVE ${DIR} ${DIR}/*.txt ${DIR}/.*)
list(SORT written)
if(NOT written STREQUAL "notes.txt;out/gap.txt;out/old.txt;out/s10-.txt;out/s2-.txt")
  message(FATAL_ERROR "unexpected files: ${written}")
endif()
