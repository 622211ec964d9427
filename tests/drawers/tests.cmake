# Tests of drawers/.
list(APPEND NATIVE_TEST_SOURCES tests/drawers/drawer_names_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/drawers/drawer_menus_test.cpp tests/drawers/genre_list_test.cpp)
