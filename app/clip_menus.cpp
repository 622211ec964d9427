#include "app/clip_menus.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/menu_label.h"
#include "app/res/resource_ids.h"
#include "settings/settings_values.h"

void add_clip_to_menu(HMENU menu, int base_id, int entry_number, const char* text, int limit, int& counter) {
  char label[menu_label_size];
  make_menu_label(text, label);
  if (label[0] != '\0') AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(base_id + entry_number), label);
  ++counter;
  if (counter > limit) DeleteMenu(menu, 1, MF_BYPOSITION);
}

void set_history_saving(int on) {
  history_saving = on ? 1 : 0;
  EnableMenuItem(control_menu, CMD_SAVE_HISTORY_ON, MF_BYCOMMAND | (on ? MF_GRAYED : MF_ENABLED));
  EnableMenuItem(control_menu, CMD_SAVE_HISTORY_OFF, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void choose_popup(HMENU menu) { popup_menu = menu; }

namespace {
bool has_label_at(HMENU menu, int position) {
  char label[8];
  return GetMenuStringA(menu, position, label, sizeof label, MF_BYPOSITION) > 0;
}
}  // namespace

void mark_block(int block) {
  for (int b = 0; b <= highest_block; ++b) CheckMenuItem(clip_menu, block_id_base + b, MF_BYCOMMAND | MF_UNCHECKED);
  CheckMenuItem(clip_menu, block_id_base + block, MF_BYCOMMAND | MF_CHECKED);
  for (HMENU drawer : drawer_menus)
    while (drawer != nullptr && has_label_at(drawer, 1)) DeleteMenu(drawer, 1, MF_BYPOSITION);
}

void add_test_submenu() {
  ++test_submenu_count;
  char label[32];
  std::snprintf(label, sizeof label, "test%d", test_submenu_count);
  AppendMenuA(clip_menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), label);
}
