// The genre list: section [special] of the settings file, shown in the genre menu.
#pragma once

constexpr int genre_id_base = 31000;
extern int genre_count;

// Reads keys "1", "2", ... until the first missing or empty one into the genre menu.
void load_genre_list();
// Writes the genre menu's labels back under keys "1", "2", ...
void save_genre_list();
