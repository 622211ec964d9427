// Which way a message of the loop goes: the standard editing keys pressed in one of the
// program's edit controls belong to that edit; everything else passes the accelerators
// first, so accelerator keys act on the main window from its own windows.
#pragma once
#include <windows.h>

// Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+A, Ctrl+Z or Delete, pressed while an edit control has
// the keyboard focus.
bool is_editing_key_for_edit(const MSG& message);
// Handles one message taken from the queue.
void route_message(MSG& message, HACCEL accelerators);
