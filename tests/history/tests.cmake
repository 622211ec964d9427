# Tests of history/.
list(APPEND NATIVE_TEST_SOURCES tests/history/record_file_test.cpp)
