caseleaf_bench(archive_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/archive_bench.cpp)
# The command-line benchmark runs the program as a user does.
target_compile_definitions(archive_bench PRIVATE CASELEAF_EXECUTABLE="$<TARGET_FILE:caseleaf>")
add_dependencies(archive_bench caseleaf caseleaf_data)
