#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/affixes.h"
#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/clip_menus.h"
#include "app/drawer_commands.h"
#include "app/dpi.h"
#include "app/drawer_editor.h"
#include "app/history_file_commands.h"
#include "app/link_tag_dialog.h"
#include "app/find_window.h"
#include "app/forget_commands.h"
#include "app/main_window.h"
#include "app/main_window_dpi.h"
#include "app/navigation_commands.h"
#include "app/outside_programs.h"
#include "app/res/resource_ids.h"
#include "app/text_commands.h"
#include "app/shortcut_menu.h"
#include "app/start_at_sign_in.h"
#include "drawers/drawer_menus.h"
#include "drawers/drawer_names.h"
#include "drawers/genre_list.h"
#include "history/history_streams.h"
#include "history/link_tag.h"
#include "history/maintenance.h"
#include "history/record_file.h"
#include "history/ring.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "text/encodings.h"

namespace {

constexpr int reset_button_id = 7;

void zoom_font(int step) {
  if (step == 0) {
    width_zoom = 100;
    height_zoom = 100;
  } else if (step > 0) {
    // Held below the point where the font size arithmetic would overflow.
    if (width_zoom <= 100000 - step) width_zoom += step;
    if (height_zoom <= 100000 - step) height_zoom += step;
  } else {
    width_zoom = width_zoom + step < 10 ? 10 : width_zoom + step;
    height_zoom = height_zoom + step < 10 ? 10 : height_zoom + step;
  }
  replace_view_font(width_zoom, height_zoom);
  InvalidateRect(main_window, nullptr, TRUE);
}

// Commands with a case of their own; returns false for those that go on to the range tests.
bool run_fixed_command(int id, WPARAM wparam, LPARAM lparam) {
  switch (id) {
    case CMD_DECODE_MAIL: convert_clip_edit(decode_base64); return true;
    case CMD_TO_JIS: convert_clip_edit_to_jis(); return true;
    case CMD_TO_SJIS: convert_clip_edit(to_shift_jis); return true;
    case CMD_STAMP_DATE: run_stamp_command(true, wparam, lparam); return true;
    case CMD_STAMP_TIME: run_stamp_command(false, wparam, lparam); return true;
    case CMD_VERSION:
    case CMD_VERSION_ALIAS: open_version_dialog(); return true;
    case CMD_NEW_NOTE: open_note_window(); return true;
    case reset_button_id: output_clip(main_window); return true;
    case CMD_TEMP_FOLDER: open_data_folder(); return true;
    case CMD_END: SendMessageW(main_window, WM_DESTROY, 0, 0); return true;
    case CMD_RESET:
      switch_history(default_history_name, wparam, lparam);
      // Back to the base size; the zoom percentages stay for the next zoom command.
      replace_view_font(100, 100);
      return true;
    case CMD_OPEN_FILE: open_history_file(wparam, lparam); return true;
    case CMD_SPECIAL: switch_history(block_stems[current_block], wparam, lparam); return true;
    case CMD_RECYCLE: switch_history(recycle_file_name, wparam, lparam); return true;
    case CMD_BACK: go_back(wparam, lparam); return true;
    case CMD_SEARCH: search_history(); return true;
    case CMD_FIND_WINDOW: open_find_window(); return true;
    case CMD_FORGET_RECORD: forget_record_on_show(); return true;
    case CMD_CLEAR_HISTORY: clear_history_asked(); return true;
    case CMD_README: open_readme(); return true;
    case CMD_NOTEPAD: WinExec("notepad", SW_SHOW); return true;
    case CMD_FONT_LARGER: zoom_font(20); return true;
    case CMD_FONT_SMALLER: zoom_font(-20); return true;
    case CMD_FONT_RESET: zoom_font(0); return true;
    case CMD_OPEN_WINDOW: show_main_window(); return true;
    case CMD_CLOSE_WINDOW: ShowWindow(main_window, SW_HIDE); return true;
    // A changed setting is saved at once; a session that ends badly keeps it.
    case CMD_SAVE_HISTORY_OFF:
      set_history_saving(0);
      save_settings();
      return true;
    case CMD_SAVE_HISTORY_ON:
      set_history_saving(1);
      save_settings();
      return true;
    case CMD_ADD_TEST: add_test_submenu(); return true;
    case CMD_EDIT_SPECIAL: open_drawer_editor(); return true;
    case CMD_SHORTCUT_SETTINGS: open_shortcut_dialog(); return true;
    case CMD_START_AT_SIGN_IN: set_start_at_sign_in(!starts_at_sign_in()); return true;
    // The popup choices and the link-tag commands go on to the range tests; none matches.
    case CMD_POPUP_RING: choose_popup(ring_menu); return false;
    case CMD_POPUP_STANDARD: choose_popup(clip_menu); return false;
    case CMD_POPUP_ALL: choose_popup(menu_bar); return false;
    case CMD_POPUP_DRAWERS: choose_popup(drawer_menu); return false;
    case CMD_MAKE_LINK_TAG: make_and_confirm_link_tag(); return false;
    case CMD_CLEAR_LINK_TAG_FILE: clear_link_tag_file(); return false;
    default: return false;
  }
}

// A chosen history or re-use entry is shown, output and remembered like a click.
void show_chosen_record(int position, LPARAM lparam) {
  current_index = position;
  SendMessageW(main_window, WM_LBUTTONDOWN, 0, lparam);
  SendMessageW(main_window, WM_LBUTTONUP, 0, lparam);
}

void run_range_commands(int id, LPARAM lparam) {
  if (id > history_id_base && id < history_id_base + history_id_span) {
    show_chosen_record(id - history_id_base + 1, lparam);
    record_reuse(current_index);
  }
  if (id > recycle_id_base && id < recycle_id_base + history_id_span)
    show_chosen_record(id - recycle_id_base + 1, lparam);
  if (id >= drawer_menu_first_id && id <= genre_id_base + genre_id_span) run_drawer_or_genre_by_id(id);
  if (id >= ring_id_base && id <= ring_id_base + ring_slots) {
    take_ring_clip(id);
    output_clip(main_window);
  }
  if (id >= register_id_base && id < register_id_base + drawer_count) {
    register_in_drawer(clip_text, id - register_id_base);
    SetFocus(scroll_bar);
  }
  if (id >= block_id_base && id <= block_id_base + 4) select_block(id - block_id_base);
}

// An entry chosen from the menu that holds it, decided by the record or genre number it
// carries, so its identifier never matters; false for any other item.
bool run_clip_entry(HMENU menu, int number) {
  if (number <= 0) return false;
  if (menu == history_menu) {
    show_chosen_record(number + 1, 0);
    record_reuse(current_index);
    return true;
  }
  if (menu == recycle_menu) {
    show_chosen_record(number + 1, 0);
    return true;
  }
  const int drawer = drawer_of_menu(menu);
  if (drawer >= 0) {
    insert_from_drawer(drawer, number);
    return true;
  }
  if (menu == genre_menu) {
    if (number <= genre_count) choose_and_store_genre(number);
    return true;
  }
  return false;
}

}  // namespace

void choose_history_record(int number) {
  show_chosen_record(number + 1, 0);
  record_reuse(current_index);
}

void choose_backup_clip(const char* text) {
  // The re-use list numbers only the history's records: a clip from a backup enters the
  // history again, as the newest, and is put back from there.
  if (std::strcmp(history_file, history_append_file) == 0 && append_to_history(text)) {
    choose_history_record(history_count);
    return;
  }
  std::snprintf(clip_text, clip_size, "%s", text);
  set_title_from(clip_text);
  output_clip(main_window);
}

// The window is created at the system's minimum size, which leaves no room for the clip;
// the first time it is opened at that size it gets a size to work in.
void show_main_window() {
  ShowWindow(main_window, SW_SHOWNORMAL);
  SetForegroundWindow(main_window);
  RECT client;
  GetClientRect(main_window, &client);
  const SIZE opened = main_window_opened_size();
  if (client.bottom < scaled(100, main_dpi))
    SetWindowPos(main_window, nullptr, 0, 0, opened.cx, opened.cy, SWP_NOMOVE | SWP_NOZORDER);
}

void on_menu_command(WPARAM position, LPARAM menu) {
  HMENU from = reinterpret_cast<HMENU>(menu);
  const int at = static_cast<int>(position);
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_ID | MIIM_SUBMENU;
  if (!GetMenuItemInfoW(from, static_cast<UINT>(at), TRUE, &item) || item.hSubMenu != nullptr) return;
  run_menu_entry(from, item.wID, clip_entry_number(from, at));
}

void run_menu_entry(HMENU menu, UINT id, int number) {
  if (run_clip_entry(menu, number)) return;
  // Fixed commands and ring entries mean what their identifier says.
  on_command(MAKEWPARAM(LOWORD(id), 0), 0);
}

void on_command(WPARAM wparam, LPARAM lparam) {
  const int id = LOWORD(wparam);
  const int notification = HIWORD(wparam);
  // The start button shares id 0 with the two edits, whose notifications end here.
  if (id == 0 || id == 6) {
    if (notification == 0) id == 0 ? toggle_start_affix() : toggle_end_affix();
    return;
  }
  if (run_fixed_command(id, wparam, lparam)) return;
  run_range_commands(id, lparam);
}
