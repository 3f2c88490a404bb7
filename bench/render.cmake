caseleaf_bench(render_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp)
