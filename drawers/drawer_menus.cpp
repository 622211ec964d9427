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

void set_notify_by_position(HMENU menu) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_STYLE;
  GetMenuInfo(menu, &info);
  info.dwStyle |= MNS_NOTIFYBYPOS;
  SetMenuInfo(menu, &info);
}

void run_drawer_entry(int id) {
  const int offset = id - drawer_id_base;
  insert_from_drawer(offset / drawer_id_stride, offset % drawer_id_stride);
}

void run_genre_entry(int id) {
  const int number = id - genre_id_base;
  if (number >= 1 && number <= genre_count) choose_genre(number);
}
}  // namespace

void fill_drawer_menu(int drawer) {
  if (!is_drawer(drawer)) return;
  char name[name_size];
  drawer_file_name(name, sizeof name, current_block, drawer);
  fill_counter = 0;
  record_stream reader;
  if (!reader.open(name, open_mode::read_must_exist)) return;
  int count = 0;
  while (read_record(reader, count) == read_result::record)
    add_clip_to_menu(drawer_menus[drawer], drawer_base_id(drawer), count, clip_text, drawer_menu_limit, fill_counter);
}

void select_block(int block) {
  if (block < 0 || block > highest_block) return;
  mark_block(block);
  current_block = block;
  for (int d = 0; d < drawer_count; ++d) fill_drawer_menu(d);
}

int drawer_menu_entries(int drawer) { return is_drawer(drawer) ? GetMenuItemCount(drawer_menus[drawer]) : 0; }

void register_in_drawer(const char* text, int drawer, int entry_count) {
  if (!is_drawer(drawer)) return;
  if (!append_drawer_record(current_block, drawer, text)) return;
  int counter = 0;
  add_clip_to_menu(drawer_menus[drawer], drawer_base_id(drawer), entry_count, text, drawer_menu_limit, counter);
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

void notify_drawer_and_genre_menus_by_position() {
  set_notify_by_position(genre_menu);
  set_notify_by_position(drawer_menu);
  for (HMENU menu : drawer_menus) set_notify_by_position(menu);
}

bool run_drawer_or_genre_entry(HMENU menu, int position) {
  const int id = static_cast<int>(GetMenuItemID(menu, position));
  if (menu != nullptr && menu == genre_menu) {
    run_genre_entry(id);
    return true;
  }
  for (HMENU drawer : drawer_menus) {
    if (menu != nullptr && menu == drawer) {
      if (id >= drawer_menu_first_id && id <= drawer_menu_last_id) run_drawer_entry(id);
      return true;
    }
  }
  return false;
}

void run_drawer_or_genre_command(int id) {
  if (id >= drawer_menu_first_id && id <= drawer_menu_last_id) {
    const int drawer = (id - drawer_id_base) / drawer_id_stride;
    if (holds_id(drawer_menus[drawer], id)) {
      run_drawer_entry(id);
      return;
    }
  }
  if (id > genre_id_base && id <= genre_id_base + genre_id_span && holds_id(genre_menu, id)) run_genre_entry(id);
}
