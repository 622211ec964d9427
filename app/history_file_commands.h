// The commands that put another history file on view.
#pragma once
#include <windows.h>

// Shows another file; the step back it ends with gets wparam and lparam.
void switch_history(const char* view_name, WPARAM wparam, LPARAM lparam);
// Lets the user pick the file to show with the open-file dialog.
void open_history_file(WPARAM wparam, LPARAM lparam);
