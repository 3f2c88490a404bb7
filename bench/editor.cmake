# An edit's redraw in the editor, and undoing many edits; once at the usual density and
# once with every desktop pixel two device pixels.
foreach(scale 1 2)
  if(scale EQUAL 1)
    set(name editor_bench)
  else()
    set(name editor_hidpi_bench)
  endif()
  caseleaf_bench(${name} SOURCES ${CMAKE_CURRENT_LIST_DIR}/editor_bench.cpp)
  target_link_libraries(${name} PRIVATE caseleaf_ui)
  target_compile_definitions(${name} PRIVATE CASELEAF_BENCH_RATIO="${scale}"
    CASELEAF_BUILD_DIR="${CMAKE_BINARY_DIR}")
  add_dependencies(${name} caseleaf_data)
endforeach()
