caseleaf_bench(thumbnail_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/thumbnail_bench.cpp)
target_compile_definitions(thumbnail_bench PRIVATE CASELEAF_PROGRAM="$<TARGET_FILE:caseleaf>")
add_dependencies(thumbnail_bench caseleaf)
