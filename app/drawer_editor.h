// The drawer editor: the "SPDLG" dialog that pages through the records of any drawer of
// the current genre, appends and deletes records, and adds and steps through genres.
#pragma once
#include <windows.h>

// What the dialog shows; set to 0 each time it opens.
extern int editor_block;  // held within 0-4, the blocks that have a stem
extern int editor_drawer;
extern int editor_index;

constexpr int editor_refresh_command = 1008;

// Runs the dialog modally over the main window.
void open_drawer_editor();
INT_PTR CALLBACK drawer_editor_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
