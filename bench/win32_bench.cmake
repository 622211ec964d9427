# Benchmarks that need the platform, run by hand under Wine: bench/history_bench.sh.
# The benchmark links the real resources, so captures pay for the menus as the program does.
add_executable(history_bench bench/history_bench.cpp ${RESOURCE_SOURCES})
target_link_libraries(history_bench PRIVATE dovane_core psapi)
add_executable(empty_window WIN32 bench/empty_window.cpp)
# The yardsticks for captures: a viewer that only appends the text, and a busy copier.
add_executable(bare_viewer WIN32 bench/bare_viewer.cpp)
add_executable(copy_storm bench/copy_storm.cpp)
target_link_libraries(copy_storm PRIVATE winmm)
add_executable(shortcut_bench bench/shortcut_bench.cpp)
# The find window over long histories: bench/find_bench.sh.
add_executable(find_bench bench/find_bench.cpp ${RESOURCE_SOURCES})
target_link_libraries(find_bench PRIVATE dovane_core psapi)
# Forgetting a clip and clearing the history at real sizes: bench/forget_bench.sh.
add_executable(forget_bench bench/forget_bench.cpp)
target_link_libraries(forget_bench PRIVATE dovane_core)
