# Tests of history/.
list(APPEND NATIVE_TEST_SOURCES tests/support/scratch_dir_posix.cpp tests/history/record_file_test.cpp)
