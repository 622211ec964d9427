// Program entry: the window class, the hidden main window, the tray icon and the loop.
#pragma once
#include <windows.h>

extern const wchar_t main_class_name[];  // "dovane_clip"

bool register_main_class(HINSTANCE module);
// Creates the hidden main window; its creation runs the whole create sequence.
HWND create_main_window(HINSTANCE module);
int run_program(HINSTANCE module);
