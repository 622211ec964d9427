# Benchmarks that need the platform, run by hand under Wine: bench/history_bench.sh.
add_executable(history_bench bench/history_bench.cpp)
target_link_libraries(history_bench PRIVATE dovane_core)
