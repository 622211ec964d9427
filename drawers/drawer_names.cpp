#include "drawers/drawer_names.h"

#include <cstdio>

#include "text/sjis.h"

char genre_name[genre_name_size] = "special";
char block_stems[block_count][stem_size];
int current_block = 0;

namespace {
// What the settings file's reader strips from around a value. None of these bytes can be
// the second byte of a double-byte character, so stripping from the end is safe.
bool is_stripped(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '"' || c == '\'';
}
}  // namespace

void copy_genre_name(char* out, size_t size, const char* text) {
  if (size == 0) return;
  while (is_stripped(*text)) ++text;
  size_t length = sjis_whole_prefix(text, genre_name_max < size - 1 ? genre_name_max : size - 1);
  while (length > 0 && is_stripped(text[length - 1])) --length;
  for (size_t i = 0; i < length; ++i) out[i] = text[i];
  out[length] = '\0';
}

namespace {
void make_stem(char (&stem)[stem_size], const char* cut_name, int block) {
  if (block == 0)
    std::snprintf(stem, stem_size, "_%s", cut_name);
  else
    std::snprintf(stem, stem_size, "_%d%s", block, cut_name);
}

const char* file_of_stem(char* out, size_t size, const char* stem, int drawer) {
  if (drawer == 0)
    std::snprintf(out, size, "%s.txt", stem);
  else
    std::snprintf(out, size, "%s%d.txt", stem, drawer);
  return out;
}

int held_block(int block) { return block < 0 ? 0 : block >= block_count ? block_count - 1 : block; }
}  // namespace

void set_genre_stems(const char* name) {
  char cut[genre_name_max + 1];
  copy_genre_name(cut, sizeof cut, name);
  std::snprintf(genre_name, sizeof genre_name, "%s", cut);
  for (int k = 0; k < block_count; ++k) make_stem(block_stems[k], cut, k);
}

const char* drawer_file_name(char* out, size_t size, int block, int drawer) {
  return file_of_stem(out, size, block_stems[held_block(block)], drawer);
}

std::string genre_drawer_file_name(const char* genre, int block, int drawer) {
  char cut[genre_name_max + 1];
  copy_genre_name(cut, sizeof cut, genre);
  char stem[stem_size];
  make_stem(stem, cut, held_block(block));
  char name[stem_size + 16];
  return file_of_stem(name, sizeof name, stem, drawer);
}

void set_drawer_defaults() {
  current_block = 0;
  set_genre_stems("special");
}
