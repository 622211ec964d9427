// Upkeep of the history: counting, compaction into numbered backups, the history and
// re-use menus, appends, the re-use list, and switching the file on view.
#pragma once

extern int last_reused_index;   // history number of the last re-use recorded in this run
extern int recycle_menu_count;  // re-use menu appends made during the run
extern int history_menu_count;  // history menu offers made during the run

// Puts a renumbered re-use index that a compaction could not swap in into its place.
void finish_reuse_index_swap();
// Counts the records of history_file into history_count.
void count_history();
// Moves the oldest data_max records into a new numbered backup and keeps the rest as
// the history; true when the history was replaced, false when it was left whole.
bool compact_history();
// Lists the newest records of history_file (of the last 6000 at most) in the history list.
void fill_history_menu();
// Fills the re-use list from the re-use index, showing each indexed record in turn.
void fill_recycle_menu();
// Appends text to the history, counts the records it makes and lists it in the history
// list under its first record; false (and the user told) when it was not saved.
bool append_to_history(const char* text);
// Records that the history record with this number (now in clip_text) was chosen again.
void record_reuse(int number);
// Puts another file on view, with every clip appended to the default history, and the
// position before its first record.
void show_history_file(const char* view_name);
// Opens the streams anew on the file on view, or on view_name when one is given, with
// the position before its first record; the file appended to stays.
void reopen_history_file(const char* view_name);
