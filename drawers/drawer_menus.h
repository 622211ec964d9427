// The ten drawers of the current block as lists: filling, registering and reading.
#pragma once

// Lists the records of drawer d of the current block, the newest 100 of a longer file.
// clip_text is left as it was.
void fill_drawer_menu(int drawer);
// Moves the block mark, makes b the current block and refills the drawer lists.
void select_block(int block);
// Shows the current genre and block: the genre mark on the current genre and the ten
// drawer lists refilled from its files.
void show_current_genre();
// Appends text to drawer d of the current block and lists it under the number of the
// first record it makes there; a text that could not be written gets no entry.
void register_in_drawer(const char* text, int drawer);
// Reads record r of drawer d of the current block into clip_text (the last record when
// the drawer has fewer).
void read_from_drawer(int drawer, int record);
