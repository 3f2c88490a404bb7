caseleaf_bench(render_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp)
# The command-line benchmarks run the program as a user does.
target_compile_definitions(render_bench PRIVATE CASELEAF_EXECUTABLE="$<TARGET_FILE:caseleaf>")
add_dependencies(render_bench caseleaf caseleaf_data)
