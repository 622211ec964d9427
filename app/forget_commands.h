// The commands that take clips out of the history for good: one clip, asked once, from
// the find window or the record on show; and the whole history.
#pragma once
#include <windows.h>

// Asks over owner whether text is to leave the history, and forgets it when the user
// agrees; false when nothing was forgotten.
bool ask_and_forget(HWND owner, const char* text);
// Forgets text without asking, and shows what became of it.
void forget_and_show(const char* text);
// The record on show in the main window.
void forget_record_on_show();
// Asks once, then clears the history, the backups, the ring and the re-use list.
void clear_history_asked();
void clear_and_show();
