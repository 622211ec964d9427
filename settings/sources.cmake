# Sources of settings/.
list(APPEND PORTABLE_SOURCES settings/settings_values.cpp settings/save_report.cpp settings/hotkey_name.cpp
     settings/ignored_programs.cpp settings/profile_text.cpp)
list(APPEND WIN32_SOURCES settings/settings_file.cpp settings/ui_texts.cpp)
