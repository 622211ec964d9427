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

void set_genre_stems(const char* name) {
  char cut[genre_name_max + 1];
  copy_genre_name(cut, sizeof cut, name);
  std::snprintf(genre_name, sizeof genre_name, "%s", cut);
  std::snprintf(block_stems[0], stem_size, "_%s", cut);
  for (int k = 1; k < block_count; ++k) std::snprintf(block_stems[k], stem_size, "_%d%s", k, cut);
}

const char* drawer_file_name(char* out, size_t size, int block, int drawer) {
  if (block < 0) block = 0;
  if (block >= block_count) block = block_count - 1;
  if (drawer == 0)
    std::snprintf(out, size, "%s.txt", block_stems[block]);
  else
    std::snprintf(out, size, "%s%d.txt", block_stems[block], drawer);
  return out;
}

void set_drawer_defaults() {
  current_block = 0;
  set_genre_stems("special");
}
