# Scratch folders for tests, one implementation per platform.
list(APPEND NATIVE_TEST_SOURCES tests/support/scratch_dir_posix.cpp tests/support/scratch_dir_files.cpp)
list(APPEND WIN32_TEST_SOURCES tests/support/scratch_dir_win32.cpp tests/support/scratch_dir_files.cpp)
