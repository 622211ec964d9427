// The find window: an edit, the clips that hold what it says (the ring's and the current
// drawers' first, then the history file on show, newest first) and the whole text of the
// one selected. Enter puts it back as the menus would; Escape closes and changes nothing.
#pragma once
#include <windows.h>

extern const char find_window_class[];

// Opens the window with the focus in its edit, or brings it to the front.
void open_find_window();
HWND find_window();
// Whether the window is still reading the history or answering what was typed.
bool find_window_busy();
