# Native tree: the portable code and its tests under AddressSanitizer and UBSan.
find_package(GTest REQUIRED)
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(dovane_portable STATIC ${PORTABLE_SOURCES} ${NATIVE_SOURCES})
target_compile_options(dovane_portable PUBLIC ${SANITIZE} -g)
target_link_options(dovane_portable PUBLIC ${SANITIZE})

add_executable(native_tests ${NATIVE_TEST_SOURCES})
target_link_libraries(native_tests PRIVATE dovane_portable GTest::gtest GTest::gtest_main)
target_precompile_headers(native_tests PRIVATE <gtest/gtest.h> <string> <vector>)
include(GoogleTest)
gtest_discover_tests(native_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60)

include(fuzz/fuzz.cmake OPTIONAL)
include(bench/bench.cmake OPTIONAL)
