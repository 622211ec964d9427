// The main window's children with procedures of their own, the affix windows, the note
// windows and the version dialog.
#pragma once
#include <windows.h>

// Subclasses the clip edit, the search edit and the scroll bar.
void subclass_children();
// Shows text in the clip edit as not edited by the user, so leaving the edit puts nothing out.
void show_in_clip_edit(const char* text);
// Opens or closes the start (or end) affix window, then outputs the clip.
void toggle_start_affix();
void toggle_end_affix();
// Opens a note window and returns its frame, which holds the note's menu.
HWND open_note_window();
void open_version_dialog();
// The main window and the windows it opens here take its accelerator keys; other windows
// of the program (the find window, say) handle their own keys.
bool takes_main_window_keys(HWND window);
extern int note_count;
