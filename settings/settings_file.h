// The settings file "dovane_clip.ini", read and written through the profile functions.
#pragma once
#include <windows.h>

// Sized for the longest path the platform allows, so it is never cut.
constexpr int ini_path_size = 32768;
extern char ini_path[ini_path_size];

void load_settings();
void save_settings();
// Shows the open-file dialog; true when the user confirmed a file, whose full path is
// then in path (260 bytes, kept by the caller between calls).
bool pick_history_file(HWND owner, char* path);
