# Tests of app/.
list(APPEND NATIVE_TEST_SOURCES tests/app/icon_test.cpp tools/icon_image.cpp tests/app/window_slots_test.cpp)
set_source_files_properties(tests/app/icon_test.cpp PROPERTIES
  COMPILE_DEFINITIONS "ICON_FILE=\"${CMAKE_SOURCE_DIR}/app/res/dovane_clip.ico\"")
list(APPEND WIN32_TEST_SOURCES tests/app/menu_resource_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/app/startup_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/app/child_windows_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/app/main_window_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/app/tray_icon_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/app/clip_menus_test.cpp tests/app/reaching_the_window_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/app/ui_fonts_test.cpp tests/app/dpi_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/app/manifest_test.cpp tests/app/text_commands_test.cpp
     tests/app/drawer_editor_test.cpp tests/app/notice_lines_test.cpp tests/app/unicode_boundary_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/app/shortcut_test.cpp tests/app/start_at_sign_in_test.cpp
     tests/app/find_rows_test.cpp)
