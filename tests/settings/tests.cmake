# Tests of settings/.
list(APPEND WIN32_TEST_SOURCES tests/settings/settings_test.cpp)
list(APPEND NATIVE_TEST_SOURCES tests/settings/setting_number_test.cpp tests/settings/hotkey_name_test.cpp
     tests/settings/ignored_programs_test.cpp tests/settings/profile_text_test.cpp)
