# Sources of app/. The entry point app/main.cpp is kept out of the core library so the
# Win32 tests can link everything else.
list(APPEND PORTABLE_SOURCES app/sjis_cut.cpp)
list(APPEND WIN32_SOURCES app/app_state.cpp app/entry.cpp app/main_window.cpp app/create_sequence.cpp
     app/shutdown.cpp app/commands.cpp app/tray_icon.cpp)
set(RESOURCE_SOURCES ${CMAKE_SOURCE_DIR}/app/res/dovane_clip.rc)
