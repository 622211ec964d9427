# The Win32 test program's main and the in-process application fixture.
list(APPEND WIN32_TEST_SOURCES tests/win32/test_main.cpp tests/win32/app_fixture.cpp)
