// Moving through the history one record at a time as the user sees it: the steps, the
// back stack, the searches and the scroll bar of the main window.
#pragma once
#include <windows.h>

extern int scroll_pos;  // the scroll bar's own value, apart from current_index

// Shows the record before the one on show, or 100 before it when wparam is '<'.
void step_back(WPARAM wparam);
// Shows the next record, or the one 100 ahead when wparam is '>'.
void step_forward(WPARAM wparam);
// Puts the record on show on the clipboard with the affixes and remembers its position.
void output_and_remember();
// Shows the position output before the one on show.
void go_back(WPARAM wparam, LPARAM lparam);
// Finds the next record holding the search text, then outputs it; when there is none,
// everything stays as it was and the status line says so.
void search_history();
// A move or a search that finds something takes back the searches' "not found" note.
void clear_not_found_note();
// The key table of the main window: moves, the open-file command, first-letter search.
void type_character(WPARAM character);
// Finds the next record that begins with byte; a miss leaves the view as it was and
// makes the next letter start from the top.
void first_letter_search(unsigned char byte);
// The scroll bar's actions, by scroll code.
void scroll_history(WPARAM wparam);
