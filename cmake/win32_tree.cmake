# MinGW tree: the program and the in-process Win32 test program, both run under Wine.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
add_link_options(-static)

add_library(dovane_core STATIC ${PORTABLE_SOURCES} ${WIN32_SOURCES})
target_link_libraries(dovane_core PUBLIC user32 gdi32 kernel32 shell32 ole32 uuid)

add_executable(dovane_clip WIN32 app/main.cpp ${RESOURCE_SOURCES})
target_link_libraries(dovane_clip PRIVATE dovane_core)

# GoogleTest from Debian's source package, built with the cross compiler.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources do not build warning-free under -Werror with this compiler.
target_compile_options(gtest PRIVATE -Wno-error)

add_executable(win32_tests ${WIN32_TEST_SOURCES} ${RESOURCE_SOURCES})
target_link_libraries(win32_tests PRIVATE dovane_core gtest)
# Half the test program's build is reading these headers again for every file, and most
# of the rest optimising test bodies; the product's code it tests is built as released.
target_precompile_headers(win32_tests PRIVATE <gtest/gtest.h> <windows.h> <string> <vector>)
target_compile_options(win32_tests PRIVATE -O1)
target_include_directories(win32_tests PRIVATE ${CMAKE_BINARY_DIR})
include(GoogleTest)
# One process per test: the system's state is process-wide, as on Windows.
gtest_discover_tests(win32_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES RUN_SERIAL TRUE TIMEOUT 60)
# What the windows show and what typing into them stores, again under the English code
# page 1252, in a prefix copy and on a display of their own.
gtest_discover_tests(win32_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 TEST_PREFIX "en_US."
                     TEST_FILTER "unicode_boundary_test.*:child_windows_test.*:genre_list_test.*:settings_test.*:tray_icon_test.*:menu_resource_test.dialog*:all/dialog_template.*:forget_history_test.the_clipboard*"
                     PROPERTIES RUN_SERIAL TRUE TIMEOUT 60 ENVIRONMENT "DOVANE_LANG=en_US.UTF-8;DISPLAY=")

include(cmake/win32_version.cmake)
include(cmake/win32_package.cmake)
include(tests/e2e/e2e.cmake OPTIONAL)
include(bench/win32_bench.cmake OPTIONAL)
