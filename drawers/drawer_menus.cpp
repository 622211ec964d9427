#include "drawers/drawer_menus.h"

#include "app/app_state.h"
#include "app/clip_menus.h"
#include "drawers/drawer_names.h"
#include "drawers/drawer_records.h"
#include "drawers/genre_list.h"
#include "history/clip_output.h"
#include "history/record_file.h"
#include "settings/settings_values.h"

namespace {
constexpr int name_size = 256;
int fill_counter = 0;

bool is_drawer(int drawer) { return drawer >= 0 && drawer < drawer_count; }

int drawer_base_id(int drawer) { return drawer_id_base + drawer * drawer_id_stride; }

bool holds_id(HMENU menu, int id) {
  char label[8];
  return menu != nullptr && GetMenuStringA(menu, static_cast<UINT>(id), label, sizeof label, MF_BYCOMMAND) > 0;
}

// Read into a buffer of its own: filling a menu leaves the clip as it was.
void list_drawer_records(int drawer, const char* name) {
  static char text[clip_size];
  record_stream reader;
  if (!reader.open(name, open_mode::read_must_exist)) return;
  int count = 0;
  while (read_record_into(reader, count, text) == read_result::record)
    add_clip_to_menu(drawer_menus[drawer], drawer_base_id(drawer), count, text, drawer_menu_limit, fill_counter);
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
  mark_block(block);
  current_block = block;
  for (int d = 0; d < drawer_count; ++d) fill_drawer_menu(d);
}

void show_current_genre() {
  for (int k = 1; k <= genre_count; ++k)
    CheckMenuItem(genre_menu, static_cast<UINT>(genre_id_base + k),
                  MF_BYCOMMAND | (k == genre_number ? MF_CHECKED : MF_UNCHECKED));
  select_block(current_block);
}

void register_in_drawer(const char* text, int drawer) {
  if (!is_drawer(drawer)) return;
  // Numbered by the file, whether or not the menu lists every record before it.
  const int number = append_drawer_record(current_block, drawer, text);
  if (number == 0) return;
  int counter = 0;
  add_clip_to_menu(drawer_menus[drawer], drawer_base_id(drawer), number, text, drawer_menu_limit, counter);
}

void insert_from_drawer(int drawer, int record) {
  char name[name_size];
  drawer_file_name(name, sizeof name, current_block, drawer);
  record_stream reader;
  reader.open(name, open_mode::read);
  int count = 0;
  while (count < record)
    if (read_record(reader, count) != read_result::record) break;
  reader.close();
  put_clip(main_window, -1, -1);
  set_title_from(clip_text);
}

int drawer_of_menu(HMENU menu) {
  for (int d = 0; menu != nullptr && d < drawer_count; ++d)
    if (drawer_menus[d] == menu) return d;
  return -1;
}

void run_drawer_or_genre_by_id(int id) {
  const int genre = id - genre_id_base;
  const bool may_be_genre = genre >= 1 && genre <= genre_count;
  if (id >= drawer_menu_first_id && id <= drawer_menu_last_id) {
    const int offset = id - drawer_id_base;
    if (!may_be_genre || holds_id(drawer_menus[offset / drawer_id_stride], id)) {
      insert_from_drawer(offset / drawer_id_stride, offset % drawer_id_stride);
      return;
    }
  }
  if (may_be_genre) choose_and_store_genre(genre);
}
