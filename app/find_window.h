// The find window: an edit, the clips that hold what it says (the ring's and the current
// drawers' first, then the history file on show, newest first) and the whole text of the
// one selected. Enter puts it back as the menus would; Escape closes and changes nothing.
#pragma once
#include <windows.h>

#include "app/paste_target.h"

extern const wchar_t find_window_class[];

// Opens the window with the focus in its edit, or brings it to the front. A clip put back
// with Enter is then pasted into came_from when pasting is on; Escape gives came_from the
// focus back when back_on_escape.
void open_find_window(const paste_target& came_from, bool back_on_escape);
// The same for the last window the user worked in outside this program.
void open_find_window();
HWND find_window();
// Lets go of every file the window reads, so they can be replaced; then reads them again.
void find_window_close_files();
void find_window_read_again();
// Whether the window is still reading the history or answering what was typed.
bool find_window_busy();
