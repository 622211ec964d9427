# Tests of settings/.
list(APPEND WIN32_TEST_SOURCES tests/settings/settings_test.cpp)
