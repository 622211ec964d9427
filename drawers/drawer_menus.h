// The ten drawer menus of the current block: filling, registering and inserting, and
// telling drawer entries from genre entries, whose identifiers overlap.
#pragma once
#include <windows.h>

constexpr int drawer_menu_first_id = 21001;
constexpr int drawer_menu_last_id = 35999;

// Lists the records of drawer d of the current block, the newest 100 of a longer file.
void fill_drawer_menu(int drawer);
// Moves the block check mark, makes b the current block and refills the drawer menus.
void select_block(int block);
// Number of items in drawer menu d, its separator included: the number a registration
// gives its entry.
int drawer_menu_entries(int drawer);
// Appends text to drawer d of the current block and lists it as entry number n; a text
// that could not be written gets no entry.
void register_in_drawer(const char* text, int drawer, int entry_count);
// Puts record r of drawer d of the current block on the clipboard without the affixes.
void insert_from_drawer(int drawer, int record);

// Drawer and genre menus report the chosen entry by menu and position, so the two kinds
// of entry are told apart where their identifiers coincide.
void notify_drawer_and_genre_menus_by_position();
// A choice reported by menu and position; false when the menu is neither a drawer menu
// nor the genre menu.
bool run_drawer_or_genre_entry(HMENU menu, int position);
// A plain command in the drawer or genre range: taken as the entry whose menu holds the
// identifier, a drawer entry first, since its origin is not known.
void run_drawer_or_genre_command(int id);
