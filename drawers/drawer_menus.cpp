#include "drawers/drawer_menus.h"

#include "drawers/drawer_names.h"
#include "drawers/drawer_records.h"
#include "drawers/drawer_view.h"
#include "drawers/genre_list.h"
#include "history/record_file.h"
#include "settings/settings_values.h"

namespace {
constexpr int name_size = 256;
int fill_counter = 0;

bool is_drawer(int drawer) { return drawer >= 0 && drawer < drawer_count; }

// Read into a buffer of its own: filling a menu leaves the clip as it was.
void list_drawer_records(int drawer, const char* name) {
  static char text[clip_size];
  record_stream reader;
  if (!reader.open(name, open_mode::read_must_exist)) return;
  int count = 0;
  while (read_record_into(reader, count, text) == read_result::record)
    shown_drawers().offer_drawer_clip(drawer, count, text, drawer_menu_limit, fill_counter);
}
}  // namespace

void fill_drawer_menu(int drawer) {
  if (!is_drawer(drawer)) return;
  char name[name_size];
  drawer_file_name(name, sizeof name, current_block, drawer);
  fill_counter = 0;
  list_drawer_records(drawer, name);
}

void select_block(int block) {
  if (block < 0 || block > highest_block) return;
  shown_drawers().show_block(block);
  current_block = block;
  for (int d = 0; d < drawer_count; ++d) fill_drawer_menu(d);
}

void show_current_genre() {
  shown_drawers().mark_genre(genre_number, genre_count);
  select_block(current_block);
}

void register_in_drawer(const char* text, int drawer) {
  if (!is_drawer(drawer)) return;
  // Numbered by the file, whether or not the menu lists every record before it.
  const int number = append_drawer_record(current_block, drawer, text);
  if (number == 0) return;
  int counter = 0;
  shown_drawers().offer_drawer_clip(drawer, number, text, drawer_menu_limit, counter);
}

void read_from_drawer(int drawer, int record) {
  char name[name_size];
  drawer_file_name(name, sizeof name, current_block, drawer);
  record_stream reader;
  reader.open(name, open_mode::read);
  int count = 0;
  while (count < record)
    if (read_record(reader, count) != read_result::record) break;
}
