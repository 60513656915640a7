# specbridge_core_library(<tool> SOURCES...) builds the Qt-free core of one tool
# as the static library specbridge_<tool>.
function(specbridge_core_library tool)
  add_library(specbridge_${tool} STATIC ${ARGN})
  target_include_directories(specbridge_${tool} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(NOT tool STREQUAL "common")
    target_link_libraries(specbridge_${tool} PUBLIC specbridge_common)
  endif()
endfunction()

# specbridge_windows(<tool> SOURCES...) adds a tool's Unit files (its Qt
# windows) to the workbench library specbridge_gui.
function(specbridge_windows tool)
  set(sources)
  foreach(source ${ARGN})
    list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY SPECBRIDGE_GUI_SOURCES ${sources})
  set_property(GLOBAL APPEND PROPERTY SPECBRIDGE_GUI_LIBRARIES specbridge_${tool})
endfunction()
