// The drawer and genre commands of the menus.
#pragma once
#include <windows.h>

// Puts record r of drawer d of the current block on the clipboard without the affixes.
void insert_from_drawer(int drawer, int record);
// The drawer whose menu this is, or -1.
int drawer_of_menu(HMENU menu);
// A plain command in the drawer or genre range, whose origin is unknown: where the two
// ranges overlap, a drawer menu that lists the identifier takes it first.
void run_drawer_or_genre_by_id(int id);
