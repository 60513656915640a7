# specbridge_core_library(<tool> SOURCES...) builds the Qt-free core of one tool
# as the static library specbridge_<tool>.
function(specbridge_core_library tool)
  add_library(specbridge_${tool} STATIC ${ARGN})
  target_include_directories(specbridge_${tool} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(NOT tool STREQUAL "common")
    target_link_libraries(specbridge_${tool} PUBLIC specbridge_common)
  endif()
endfunction()
