#include "app/shortcut_menu.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/clip_list.h"
#include "app/find_window.h"
#include "app/main_window.h"
#include "app/paste_target.h"
#include "app/res/resource_ids.h"
#include "app/status_note.h"
#include "app/tray_icon.h"
#include "app/ui_text.h"
#include "settings/settings_values.h"

namespace {

constexpr int shortcut_id = 1;
constexpr int digit_entries = 10;
const wchar_t find_entry_text[] = L"検索...";

hotkey registered{0, 0};
// Where the user was typing when they pressed the shortcut.
paste_target shortcut_target{};

bool register_key(const hotkey& key) {
  return RegisterHotKey(main_window, shortcut_id, key.modifiers | MOD_NOREPEAT, key.key) != 0;
}

bool stands_for_find(const list_entry& entry) {
  return entry.what == list_entry::kind::command && entry.id == CMD_FIND_WINDOW;
}

void add_separator(std::vector<list_entry>& entries) {
  entries.push_back({list_entry::kind::separator, std::wstring(), nullptr, 0, 0, nullptr, false, false});
}

// Newest clips first, the first ten answering to 1-9 and 0, then the rest of the popup
// the user chose for the icon, then "検索...". Each entry carries what its item carried
// now, so a clip captured while the list is open changes none of them.
std::vector<list_entry> shortcut_entries() {
  SendMessageW(main_window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup_menu), 0);
  HMENU clips = popup_menu == ring_menu ? ring_menu : history_menu;
  const std::vector<list_entry> clip_items = entries_of_menu(clips);
  size_t first_clip = 0;
  while (first_clip < clip_items.size() && clip_items[first_clip].what != list_entry::kind::separator) ++first_clip;
  std::vector<list_entry> entries;
  for (size_t p = clip_items.size(); p > first_clip + 1; --p) {
    list_entry entry = clip_items[p - 1];
    if (stands_for_find(entry)) continue;
    const int shown = static_cast<int>(entries.size());
    if (shown < digit_entries) entry.label = L"&" + std::to_wstring((shown + 1) % 10) + L" " + entry.label;
    entries.push_back(std::move(entry));
  }
  if (popup_menu != ring_menu) {
    if (!entries.empty()) add_separator(entries);
    for (list_entry& entry : entries_of_menu(popup_menu))
      if (!stands_for_find(entry)) entries.push_back(std::move(entry));
  }
  if (!entries.empty()) add_separator(entries);
  entries.push_back({list_entry::kind::find, find_entry_text, nullptr, 0, 0, nullptr, false, false});
  return entries;
}

// The find window takes the keys, so the user can type the query. Taking the foreground
// with the target's input can leave our thread without a focus; asking for the window
// once more puts it back on the edit.
void open_find_from_list(const paste_target& target) {
  open_find_window(target, true);
  if (find_window() == nullptr) return;
  take_foreground(target, find_window());
  open_find_window(target, true);
}

// A choice runs as the same item of the icon's menu would; the clip it put on the
// clipboard is then pasted where the user still types.
void run_list_choice(const list_entry& chosen) {
  const paste_target target = shortcut_target;
  if (chosen.what == list_entry::kind::find) {
    open_find_from_list(target);
    return;
  }
  const DWORD before = GetClipboardSequenceNumber();
  run_menu_entry(chosen.source, chosen.id, chosen.number);
  if (paste_on_choice == 1 && GetClipboardSequenceNumber() != before) paste_in_place(target);
}

}  // namespace

void shortcut_taken_text(const hotkey& key, char* out, size_t size) {
  char name[hotkey_name_size];
  format_hotkey_name(key, name, sizeof name);
  std::snprintf(out, size, "ショートカット %s は他のプログラムが使っています", name);
}

bool register_shortcut(const hotkey& key) {
  if (key.key == registered.key && key.modifiers == registered.modifiers && key.key != 0) return true;
  UnregisterHotKey(main_window, shortcut_id);
  if (key.key == 0 || register_key(key)) {
    registered = key;
    return true;
  }
  char text[128];
  shortcut_taken_text(key, text, sizeof text);
  tray_icon.show_balloon(text, true);
  if (registered.key != 0 && !register_key(registered)) registered = hotkey{0, 0};
  return false;
}

void start_shortcut() {
  registered = hotkey{0, 0};
  register_shortcut(shortcut_key);
  // Said at the start only: the text stays in the file for the user to mend.
  if (unread_hotkey_text()[0] != '\0') {
    char text[status_note_size];
    std::snprintf(text, sizeof text, "ショートカット「%s」は読めないので使いません", unread_hotkey_text());
    set_status_note(text);
    tray_icon.show_balloon(text, true);
  }
  start_watching_foreground();
}

void on_shortcut_key() {
  if (clip_list_is_open()) return;
  shortcut_target = note_paste_target();
  const POINT at = menu_point_for(shortcut_target);
  const int flip_y = shortcut_target.has_caret ? shortcut_target.caret.top : at.y;
  open_clip_list(shortcut_entries(), at, flip_y, shortcut_target.window, registered.key, run_list_choice);
}

void track_icon_popup(int x, int y) {
  const paste_target target = last_outside_target();
  const DWORD before = GetClipboardSequenceNumber();
  TrackPopupMenu(popup_menu, TPM_RIGHTBUTTON, x, y, 0, main_window, nullptr);
  if (paste_on_choice != 1) return;
  // Run now rather than from the loop, so the paste follows the clip.
  MSG message;
  if (!PeekMessageW(&message, main_window, WM_MENUCOMMAND, WM_MENUCOMMAND, PM_REMOVE)) return;
  DispatchMessageW(&message);
  if (GetClipboardSequenceNumber() != before) paste_into(target);
}
