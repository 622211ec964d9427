// The genre list: section [special] of the settings file, shown in the genre menu.
#pragma once

constexpr int genre_id_base = 31000;
extern int genre_count;

// Reads keys "1", "2", ... until the first missing or empty one into the genre menu
// ("special" when there is none) and settles the start-up genre: the stored one when the
// list has it, else genre 1.
void load_genre_list();
// Makes genre n (1 to genre_count) current: name, stems, check mark, block い, menus.
void choose_genre(int number);
// The user's choice of genre n: made current and stored in the settings file at once, so
// it survives a session that ends without the program's own shutdown.
void choose_and_store_genre(int number);
// Writes a name (trimmed and cut as genre names are) under the next key at once and
// lists it in the menu; returns its number, or 0 for an empty name or a full list.
int add_genre(const char* name);
// Genre n's name as listed (1 to genre_count); "" for any other n.
const char* genre_name_of(int number);
// Makes the next genre current, name and stems only: its stored name, else the menu's
// label for it; a genre with neither keeps the name as it was.
void next_genre();
class settings_update;
// Writes the genre menu's labels back under keys "1", "2", ...
void save_genre_list(settings_update& update);
