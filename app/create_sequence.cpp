#include <cstring>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/data_folder.h"
#include "app/dpi.h"
#include "app/clip_menus.h"
#include "app/main_window.h"
#include "app/main_window_dpi.h"
#include "app/shell_views.h"
#include "app/ui_text.h"
#include "drawers/drawer_menus.h"
#include "drawers/drawer_names.h"
#include "drawers/genre_list.h"
#include "history/history_streams.h"
#include "history/maintenance.h"
#include "history/link_tag.h"
#include "history/ring.h"
#include "history/side_file_upkeep.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "settings/ui_texts.h"
#include "text/stamps.h"

namespace {

// Every subsystem's state as a start begins, before the settings file is read.
void set_all_defaults() {
  set_history_defaults();
  start_state = -1;
  end_state = -1;
  set_stamp_defaults();
  test_submenu_count = 0;
  set_drawer_defaults();
  set_defaults();
}

HWND create_child(const wchar_t* window_class, const char* text, DWORD extra_style, int id, bool edit) {
  const int position = edit ? CW_USEDEFAULT : 0;
  const int size = edit ? CW_USEDEFAULT : 0;
  return CreateWindowExW(0, window_class, text != nullptr ? wide_from_sjis(text).c_str() : nullptr, WS_CHILD | WS_VISIBLE | extra_style, position, position, size, size,
                         main_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void create_children() {
  const DWORD edit_style = WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
  reset_button = create_child(L"button", reset_label, 0, 7, false);
  start_button = create_child(L"button", start_label, 0, 0, false);
  end_button = create_child(L"button", end_label, 0, 6, false);
  clip_edit = create_child(L"edit", clip_edit_text, edit_style, 0, true);
  search_edit = create_child(L"edit", search_edit_text, edit_style, 0, true);
  scroll_bar = create_child(L"scrollbar", nullptr, WS_TABSTOP | SBS_HORZ, 2, false);
}

void take_menu_handles(HWND window) {
  menu_bar = GetMenu(window);
  clip_menu = GetSubMenu(menu_bar, 1);
  history_menu = GetSubMenu(clip_menu, 0);
  recycle_menu = GetSubMenu(clip_menu, 1);
  drawer_menu = GetSubMenu(clip_menu, 3);
  control_menu = GetSubMenu(clip_menu, 11);
}

}  // namespace

void run_create_sequence(HWND window) {
  connect_shell_views();
  caption_brush = CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION));
  width_zoom = 100;
  height_zoom = 100;
  use_main_window_dpi(dpi_of_window(window));
  main_window = window;
  history_saving = 1;
  ring_full = 0;

  set_all_defaults();
  remember_data_folder();
  load_settings();
  close_history_streams();
  open_history_streams();
  open_link_tag_file();

  instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  create_children();
  give_children_font();
  SetScrollRange(scroll_bar, SB_CTL, 1, history_count, FALSE);
  SetScrollPos(scroll_bar, SB_CTL, history_count, FALSE);
  subclass_children();

  finish_reuse_index_swap();
  count_history();
  if (std::strcmp(history_file, history_append_file) == 0 && history_count > data_max + 20) {
    current_index = 0;
    if (compact_history()) history_count -= data_max;
  }
  tidy_side_file_when_grown();
  current_index = history_count + 1;

  take_menu_handles(window);
  set_genre_stems(genre_name);
  for (int d = 0; d < 10; ++d) {
    drawer_menus[d] = GetSubMenu(drawer_menu, d);
    fill_drawer_menu(d);
  }
  ring_menu = GetSubMenu(clip_menu, 10);
  genre_menu = GetSubMenu(clip_menu, 6);
  notify_menus_by_position();
  fill_history_menu();
  fill_recycle_menu();

  reload_ring();
  load_genre_list();
  choose_genre(genre_number);
  current_index = history_count + 1;
  set_history_saving(history_saving);
  popup_menu = clip_menu;
  SetWindowTextW(search_edit, L"");
  next_viewer = SetClipboardViewer(main_window);
}
