# Benchmarks of the portable code, optimised and without sanitizers; run by hand:
#   build/native/record_file_bench
find_package(benchmark REQUIRED)
add_library(dovane_bench_code STATIC ${PORTABLE_SOURCES} ${NATIVE_SOURCES})
target_compile_options(dovane_bench_code PRIVATE -O2)
add_executable(record_file_bench bench/record_file_bench.cpp)
target_compile_options(record_file_bench PRIVATE -O2)
target_link_libraries(record_file_bench PRIVATE dovane_bench_code benchmark::benchmark)
# Times captures from outside, as a Linux program copies: bench/capture_bench.sh.
add_executable(capture_clock bench/capture_clock.cpp)
