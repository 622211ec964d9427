# Sources of app/. The entry point app/main.cpp is kept out of the core library so the
# Win32 tests can link everything else.
list(APPEND WIN32_SOURCES app/app_state.cpp app/entry.cpp app/main_window.cpp app/create_sequence.cpp
     app/shutdown.cpp app/commands.cpp app/tray_icon.cpp
     app/clip_menus.cpp app/child_windows.cpp app/text_frame.cpp app/status_note.cpp app/save_notice.cpp
     app/data_folder.cpp app/message_route.cpp app/text_commands.cpp app/affixes.cpp app/shell_views.cpp
     app/navigation_commands.cpp app/history_file_commands.cpp app/link_tag_dialog.cpp app/drawer_commands.cpp
     app/drawer_editor.cpp app/first_start.cpp app/outside_programs.cpp app/window_places.cpp
     app/notice_lines.cpp app/single_instance.cpp app/paste_target.cpp app/shortcut_menu.cpp
     app/shortcut_dialog.cpp app/find_window.cpp app/find_rows.cpp app/start_at_sign_in.cpp
     app/dpi.cpp app/main_window_dpi.cpp app/ui_text.cpp app/clip_list.cpp app/clip_list_keys.cpp
     app/menu_hold.cpp app/clip_display.cpp)
# Where text windows go: plain arithmetic, tested natively.
list(APPEND PORTABLE_SOURCES app/window_slots.cpp)
# Forgetting clips and clearing the history.
list(APPEND WIN32_SOURCES app/forget_commands.cpp app/forget_worker.cpp)
set(RESOURCE_SOURCES ${CMAKE_SOURCE_DIR}/app/res/dovane_clip.rc)
set_source_files_properties(app/res/dovane_clip.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/app/res/dovane_clip.ico;${CMAKE_BINARY_DIR}/dovane_clip.manifest;${CMAKE_BINARY_DIR}/dovane_version.h;${CMAKE_SOURCE_DIR}/app/res/resource_ids.h")
