// Upkeep of the history: counting, compaction into numbered backups, the history and
// re-use menus, appends, the re-use list, and switching the file on view.
#pragma once
#include <windows.h>

extern int last_reused_index;   // history number of the last re-use recorded in this run
extern int recycle_menu_count;  // re-use menu appends made during the run

// Counts the records of history_file into history_count.
void count_history();
// Moves the oldest data_max records into a new numbered backup and keeps the rest as
// the history; true when the history was replaced, false when it was left whole.
bool compact_history();
// Fills history_menu with the newest records of history_file (the last 6000 at most).
void fill_history_menu();
// Fills recycle_menu from the re-use index, showing each indexed record in turn.
void fill_recycle_menu();
// Appends text to the history, counts the records it makes and lists it in
// history_menu under its first record; false (and the user told) when it was not saved.
bool append_to_history(const char* text);
// Records that the history record with this number (now in clip_text) was chosen again.
void record_reuse(int number);
// Shows another file; the step back it ends with gets wparam and lparam.
void switch_history(const char* view_name, WPARAM wparam, LPARAM lparam);
// Lets the user pick the file to show with the open-file dialog.
void open_history_file(WPARAM wparam, LPARAM lparam);
