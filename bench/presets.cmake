caseleaf_bench(presets_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/presets_bench.cpp)
