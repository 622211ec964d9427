#include "drawers/drawer_names.h"

#include <cstdio>

char genre_name[genre_name_size] = "special";
char block_stems[block_count][stem_size];
int current_block = 0;

void set_genre_stems(const char* name) {
  std::snprintf(genre_name, sizeof genre_name, "%s", name);
  // Genre names are at most 31 bytes, so the precision never cuts one; it only lets the
  // compiler see that a stem cannot overflow.
  std::snprintf(block_stems[0], stem_size, "_%.250s", genre_name);
  for (int k = 1; k < block_count; ++k) std::snprintf(block_stems[k], stem_size, "_%d%.250s", k, genre_name);
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
