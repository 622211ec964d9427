#include "app/shell_views.h"

#include <string>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/clip_menus.h"
#include "app/menu_hold.h"
#include "app/save_notice.h"
#include "app/tray_icon.h"
#include "app/ui_text.h"
#include "drawers/drawer_view.h"
#include "drawers/genre_list.h"
#include "history/clip_side_file.h"
#include "history/clipboard_text.h"
#include "history/history_view.h"
#include "history/record_file.h"
#include "history/ring.h"
#include "settings/save_report.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"

namespace {

constexpr int oldest_ring_entry_position = 2;  // after ">標準" and the separator

HMENU menu_of(clip_list list) {
  switch (list) {
    case clip_list::history: return history_menu;
    case clip_list::recycle: return recycle_menu;
    default: return ring_menu;
  }
}

int base_id_of(clip_list list) {
  switch (list) {
    case clip_list::history: return history_id_base;
    case clip_list::recycle: return recycle_id_base;
    default: return ring_id_base;
  }
}

class menu_history_view : public history_view {
 public:
  void offer_clip(clip_list list, int number, const char* text, int limit, int& counter) override {
    const bool drop_oldest = ++counter > limit;
    change_clip_menu([menu = menu_of(list), base = base_id_of(list), number, copy = std::string(text), drop_oldest] {
      place_clip_in_menu(menu, base, number, copy.c_str(), drop_oldest);
    });
  }
  void list_entry(clip_list list, int number, const char* label) override {
    append_clip_entry(menu_of(list), clip_entry_id(base_id_of(list), number), label, number);
  }
  void drop_oldest_ring_entry() override {
    change_clip_menu([] { DeleteMenu(ring_menu, oldest_ring_entry_position, MF_BYPOSITION); });
  }
  void show_clip() override {
    show_in_clip_edit(clip_text);
    InvalidateRect(main_window, nullptr, TRUE);
  }
  void when_lists_settle(std::function<void()> change) override { change_clip_menu(std::move(change)); }
  // The ring is on disk within a message of the capture, so a crash or a kill loses no
  // clip of the session, while the record reaches the history and the windows first.
  void ring_changed() override {
    ring_waiting = true;
    settle_soon();
  }
  void side_lines_waiting() override { settle_soon(); }
  void settle_soon() {
    if (!settle_posted) settle_posted = PostMessageW(main_window, settle_message, 0, 0) != 0;
    if (!settle_posted) settle_now();
  }
  bool settle_posted = false;
  bool ring_waiting = false;
  bool tip_waiting = false;
  void clear_list(clip_list list) override {
    const int first = list == clip_list::ring ? oldest_ring_entry_position : 1;
    HMENU menu = menu_of(list);
    while (GetMenuItemCount(menu) > first) DeleteMenu(menu, static_cast<UINT>(first), MF_BYPOSITION);
  }
};

class menu_drawer_view : public drawer_view {
 public:
  void offer_drawer_clip(int drawer, int number, const char* text, int limit, int& counter) override {
    add_clip_to_menu(drawer_menus[drawer], drawer_id_base + drawer * drawer_id_stride, number, text, limit, counter);
  }
  void show_block(int block) override { mark_block(block); }
  void list_genre(int number, const char* name) override {
    append_clip_entry(genre_menu, genre_id_base + number, name, number);
  }
  void mark_genre(int number, int count) override {
    for (int k = 0; k <= count; ++k) CheckMenuItem(genre_menu, genre_id_base + k, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(genre_menu, genre_id_base + number, MF_BYCOMMAND | MF_CHECKED);
  }
};

menu_history_view history_in_menus;
menu_drawer_view drawers_in_menus;

}  // namespace

void settle_now() {
  history_in_menus.settle_posted = false;
  write_waiting_times();
  if (history_in_menus.ring_waiting) save_ring();
  history_in_menus.ring_waiting = false;
  if (history_in_menus.tip_waiting) tray_icon.modify();
  history_in_menus.tip_waiting = false;
}

void show_tip_soon() {
  history_in_menus.tip_waiting = true;
  history_in_menus.settle_soon();
}

void connect_shell_views() {
  set_history_view(history_in_menus);
  set_drawer_view(drawers_in_menus);
  listen_to_saves(&save_notices());
  listen_to_clipboard_outputs(note_clipboard_access);
  keep_other_sections(save_genre_list);
}
