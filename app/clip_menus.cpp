#include "app/clip_menus.h"

#include <climits>
#include <cwchar>

#include "app/app_state.h"
#include "app/clip_display.h"
#include "app/ui_text.h"
#include "text/menu_label.h"
#include "app/res/resource_ids.h"
#include "drawers/drawer_names.h"
#include "settings/settings_values.h"

int test_submenu_count = 0;

int clip_entry_id(int base_id, int number) {
  int first = 1;
  int last = 0;
  const int drawer_offset = base_id - drawer_id_base;
  if (base_id == history_id_base || base_id == recycle_id_base) {
    last = history_id_span - 1;
  } else if (base_id == ring_id_base) {
    first = 0;
    last = ring_slots - 1;
  } else if (drawer_offset >= 0 && drawer_offset % drawer_id_stride == 0 &&
             drawer_offset / drawer_id_stride < drawer_count) {
    last = drawer_id_stride - 1;
  }
  return number >= first && number <= last ? base_id + number : parked_entry_id;
}

void append_clip_entry(HMENU menu, int id, const char* label, int number) {
  append_clip_entry(menu, id, wide_from_sjis(label), number);
}

void append_clip_entry(HMENU menu, int id, std::wstring text, int number) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_FTYPE;
  item.fType = MFT_STRING;
  item.wID = static_cast<UINT>(id);
  item.dwItemData = static_cast<ULONG_PTR>(number > 0 ? number : 0);
  item.dwTypeData = text.data();
  InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

int clip_entry_number(HMENU menu, int position) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_DATA;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item)) return 0;
  return item.dwItemData <= INT_MAX ? static_cast<int>(item.dwItemData) : 0;
}

void add_clip_to_menu(HMENU menu, int base_id, int entry_number, const char* text, int limit, int& counter) {
  ++counter;
  place_clip_in_menu(menu, base_id, entry_number, text, counter > limit);
}

void place_clip_in_menu(HMENU menu, int base_id, int entry_number, const char* text, bool drop_oldest) {
  std::wstring label = clip_display(text, menu_label_bytes, '.');
  if (!label.empty()) append_clip_entry(menu, clip_entry_id(base_id, entry_number), std::move(label), entry_number);
  if (drop_oldest) DeleteMenu(menu, 1, MF_BYPOSITION);
}

void notify_menus_by_position() {
  // The style takes effect on the menu bar and on the root handed to TrackPopupMenu;
  // some platforms read it from the menu that holds the item, so every submenu gets it.
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_STYLE;
  GetMenuInfo(menu_bar, &info);
  info.dwStyle |= MNS_NOTIFYBYPOS;
  info.fMask = MIM_STYLE | MIM_APPLYTOSUBMENUS;
  SetMenuInfo(menu_bar, &info);
}

void set_history_saving(int on) {
  history_saving = on ? 1 : 0;
  EnableMenuItem(control_menu, CMD_SAVE_HISTORY_ON, MF_BYCOMMAND | (on ? MF_GRAYED : MF_ENABLED));
  EnableMenuItem(control_menu, CMD_SAVE_HISTORY_OFF, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void choose_popup(HMENU menu) { popup_menu = menu; }

namespace {
bool has_label_at(HMENU menu, int position) {
  wchar_t label[8];
  return GetMenuStringW(menu, position, label, 8, MF_BYPOSITION) > 0;
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
  wchar_t label[32];
  std::swprintf(label, 32, L"test%d", test_submenu_count);
  AppendMenuW(clip_menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), label);
}
