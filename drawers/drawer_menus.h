// The ten drawer menus of the current block: filling, registering and inserting, and
// the drawer and genre commands that arrive by identifier alone.
#pragma once
#include <windows.h>

constexpr int drawer_menu_first_id = 21001;
constexpr int drawer_menu_last_id = 35999;

// Lists the records of drawer d of the current block, the newest 100 of a longer file.
// clip_text is left as it was.
void fill_drawer_menu(int drawer);
// Moves the block check mark, makes b the current block and refills the drawer menus.
void select_block(int block);
// Shows the current genre and block in the menus: the genre check mark on the current
// genre and the ten drawer menus refilled from its files.
void show_current_genre();
// Appends text to drawer d of the current block and lists it under the number of the
// first record it makes there; a text that could not be written gets no entry.
void register_in_drawer(const char* text, int drawer);
// Puts record r of drawer d of the current block on the clipboard without the affixes.
void insert_from_drawer(int drawer, int record);
// The drawer whose menu this is, or -1.
int drawer_of_menu(HMENU menu);
// A plain command in the drawer or genre range, whose origin is unknown: where the two
// ranges overlap, a drawer menu that lists the identifier takes it first.
void run_drawer_or_genre_by_id(int id);
