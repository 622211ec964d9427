// Drawer file names: each genre has five blocks of ten drawers, one record file each.
#pragma once
#include <string>
#include <cstddef>

constexpr int genre_name_size = 260;
constexpr size_t genre_name_max = 31;  // bytes of a genre name, terminator excluded
constexpr int stem_size = 256;
constexpr int block_count = 5;
constexpr int drawer_count = 10;

extern char genre_name[genre_name_size];
extern char block_stems[block_count][stem_size];
extern int current_block;

// Copies at most genre_name_max bytes of text into out, never splitting a double-byte
// character, so a long name from the settings file or a typed one stays legible.
// Surrounding blanks and quotes are left out: the settings file would drop them on
// reading, and the files must be named as the name reads back.
void copy_genre_name(char* out, size_t size, const char* text);
// Takes the genre name (trimmed and cut as above) and rebuilds the five stems; the name
// enters them byte for byte.
void set_genre_stems(const char* name);
// Block い of genre "special", before the settings are read.
void set_drawer_defaults();
// Blocks outside 0-4 have no stem and are held within 0-4; any drawer number is allowed.
const char* drawer_file_name(char* out, size_t size, int block, int drawer);
// The same for a genre that need not be the current one.
std::string genre_drawer_file_name(const char* genre, int block, int drawer);
