#include "app/drawer_commands.h"

#include "app/affixes.h"
#include "app/app_state.h"
#include "app/clip_menus.h"
#include "drawers/drawer_menus.h"
#include "drawers/drawer_names.h"
#include "drawers/genre_list.h"
#include "history/clip_output.h"
#include "history/record_file.h"
#include "settings/settings_values.h"

namespace {
bool holds_id(HMENU menu, int id) {
  wchar_t label[8];
  return menu != nullptr && GetMenuStringW(menu, static_cast<UINT>(id), label, 8, MF_BYCOMMAND) > 0;
}
}  // namespace

void insert_from_drawer(int drawer, int record) {
  read_from_drawer(drawer, record);
  put_clip(main_window, "", "");
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
