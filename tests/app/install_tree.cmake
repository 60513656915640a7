cmake_minimum_required(VERSION 3.25)
# Installs the build into a fresh prefix, or packs it as a .deb, and checks
# that the expected files are there.
# With -DPICTURE=<titration file>, the installed specbridge-cli also draws it.
# cmake -DBUILD=<build dir> -DWORK=<scratch dir> -DMODE=install|deb -DEXPECTED=<paths parted by |>
#       [-DPICTURE=<file>] -P install_tree.cmake
string(REPLACE "|" ";" expected "${EXPECTED}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(MODE STREQUAL "install")
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${WORK}/usr"
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${out}")
  endif()
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${WORK}" "${WORK}/*")
else()
  execute_process(COMMAND cpack -G DEB -B "${WORK}" --config "${BUILD}/CPackConfig.cmake"
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(GLOB debs "${WORK}/*.deb")
  if(NOT code EQUAL 0 OR NOT debs)
    message(FATAL_ERROR "cpack made no .deb: ${out}")
  endif()
  execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE listing RESULT_VARIABLE code)
  string(REGEX MATCHALL "\\./[^\n]*[^/\n]\n" found "${listing}")
  list(TRANSFORM found REPLACE "^\\./(.*)\n$" "\\1")
endif()
foreach(path IN LISTS expected)
  if(NOT path IN_LIST found)
    message(FATAL_ERROR "${path} is missing; found:\n${found}")
  endif()
endforeach()
if(PICTURE AND MODE STREQUAL "install")
  execute_process(COMMAND "${WORK}/usr/bin/specbridge-cli" titration "${PICTURE}" --plot-png "${WORK}/plot.png"
                  RESULT_VARIABLE code ERROR_VARIABLE err)
  file(READ "${WORK}/plot.png" magic LIMIT 4 HEX)
  if(NOT code EQUAL 0 OR NOT magic STREQUAL "89504e47")
    message(FATAL_ERROR "The installed specbridge-cli drew no PNG (exit ${code}): ${err}")
  endif()
endif()
message(STATUS "Found every expected file among ${found}")
