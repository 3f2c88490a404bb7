caseleaf_bench(contents_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/contents_bench.cpp)
target_link_libraries(contents_bench PRIVATE caseleaf_ui)
