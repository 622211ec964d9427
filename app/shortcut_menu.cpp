#include "app/shortcut_menu.h"

#include <cstdio>
#include <vector>

#include "app/app_state.h"
#include "app/find_window.h"
#include "app/main_window.h"
#include "app/paste_target.h"
#include "app/res/resource_ids.h"
#include "app/status_note.h"
#include "app/tray_icon.h"
#include "settings/settings_values.h"

namespace {

constexpr int shortcut_id = 1;
constexpr int digit_entries = 10;
const char owner_class_name[] = "dovane_clip_menu_owner";
const char find_entry_text[] = "検索...";

hotkey registered{0, 0};

// Where each item of the built menu came from: a choice of item p is run as a choice
// of source[p] from its own menu, the one path every menu choice takes.
struct mirrored_item {
  HMENU menu;  // nullptr for items that stand for nothing
  int position;
};
std::vector<mirrored_item> sources;
// The last entry mirrors nothing: it opens the find window for the same target.
size_t find_entry_at = 0;

bool register_key(const hotkey& key) {
  return RegisterHotKey(main_window, shortcut_id, key.modifiers | MOD_NOREPEAT, key.key) != 0;
}

int first_entry_position(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int p = 0; p < count; ++p)
    if ((GetMenuState(menu, static_cast<UINT>(p), MF_BYPOSITION) & MF_SEPARATOR) != 0) return p + 1;
  return count;
}

// digit 1-10 labels the item for that key (10 for "0"); 0 leaves the label as it is.
void add_mirrored(HMENU menu, HMENU source, int position, int digit) {
  char text[300];
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  item.dwTypeData = text;
  item.cch = sizeof text;
  if (!GetMenuItemInfoA(source, static_cast<UINT>(position), TRUE, &item)) return;
  // The find entry at the end stands for it.
  if (item.hSubMenu == nullptr && item.wID == CMD_FIND_WINDOW) return;
  char label[sizeof text + 4];
  if (digit > 0)
    std::snprintf(label, sizeof label, "&%d %s", digit % 10, text);
  else
    std::snprintf(label, sizeof label, "%s", text);
  item.dwTypeData = label;
  if ((item.fType & MFT_SEPARATOR) != 0) item.fMask &= ~static_cast<UINT>(MIIM_STRING);
  InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
  sources.push_back({source, position});
}

// Newest clips first, the first ten answering to 1-9 and 0, then the rest of the popup
// the user chose for the icon, whose submenus are shared rather than copied.
HMENU build_shortcut_menu() {
  HMENU menu = CreatePopupMenu();
  sources.clear();
  HMENU clips = popup_menu == ring_menu ? ring_menu : history_menu;
  int shown = 0;
  for (int p = GetMenuItemCount(clips) - 1; p >= first_entry_position(clips); --p, ++shown)
    add_mirrored(menu, clips, p, shown < digit_entries ? shown + 1 : 0);
  if (popup_menu != ring_menu) {
    if (shown > 0) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      sources.push_back({nullptr, 0});
    }
    for (int p = 0; p < GetMenuItemCount(popup_menu); ++p) add_mirrored(menu, popup_menu, p, 0);
  }
  if (GetMenuItemCount(menu) > 0) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    sources.push_back({nullptr, 0});
  }
  AppendMenuA(menu, MF_STRING, 0, find_entry_text);
  find_entry_at = sources.size();
  sources.push_back({nullptr, 0});
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_STYLE;
  info.dwStyle = MNS_NOTIFYBYPOS;
  SetMenuInfo(menu, &info);
  return menu;
}

// Taken apart item by item first: destroying the menu whole would destroy the shared
// submenus with it.
void release_shortcut_menu(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  DestroyMenu(menu);
  sources.clear();
}

HWND menu_owner() {
  static HWND owner = nullptr;
  if (owner != nullptr && IsWindow(owner)) return owner;
  static const bool registered_class = [] {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = instance;
    window_class.lpszClassName = owner_class_name;
    return RegisterClassA(&window_class) != 0;
  }();
  // Owned by the main window, so it goes with it.
  owner = registered_class ? CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, owner_class_name, "", WS_POPUP, 0, 0,
                                             1, 1, main_window, nullptr, instance, nullptr)
                           : nullptr;
  return owner;
}

// The choice the menu posted to its owner, run as the icon's menu runs it. The find
// window opens while the foreground is still ours.
bool run_posted_choice(HWND owner, HMENU built, const paste_target& target) {
  MSG message;
  if (!PeekMessageA(&message, owner, WM_MENUCOMMAND, WM_MENUCOMMAND, PM_REMOVE)) return false;
  HMENU from = reinterpret_cast<HMENU>(message.lParam);
  const size_t at = message.wParam;
  if (from != built) {
    on_menu_command(message.wParam, message.lParam);
  } else if (at == find_entry_at) {
    open_find_window(target, true);
  } else {
    if (at >= sources.size() || sources[at].menu == nullptr) return false;
    on_menu_command(static_cast<WPARAM>(sources[at].position), reinterpret_cast<LPARAM>(sources[at].menu));
  }
  return true;
}

// A menu of a program that is not in the foreground gets no keys: the owner is shown as
// a one-pixel window at the menu's place and given the foreground with the target's input.
bool track_at(HMENU menu, POINT at, const paste_target& target) {
  HWND owner = menu_owner();
  if (owner == nullptr) return false;
  SetWindowPos(owner, HWND_TOPMOST, at.x, at.y, 1, 1, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  const DWORD ours = GetCurrentThreadId();
  const DWORD theirs = target.window != nullptr ? GetWindowThreadProcessId(target.window, nullptr) : 0;
  const bool attached = theirs != 0 && theirs != ours && AttachThreadInput(ours, theirs, TRUE);
  SetForegroundWindow(owner);
  SetFocus(owner);
  if (attached) AttachThreadInput(ours, theirs, FALSE);
  // Once the threads are apart again, the foreground must be asked for once more, or
  // it is left with no window and keys sent by programs reach nothing.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
  const bool chosen = run_posted_choice(owner, menu, target);
  ShowWindow(owner, SW_HIDE);
  return chosen;
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
  // Nested menus would fight over the foreground.
  static bool open = false;
  if (open) return;
  open = true;
  const paste_target target = note_paste_target();
  HMENU menu = build_shortcut_menu();
  const DWORD before = GetClipboardSequenceNumber();
  const bool chosen = track_at(menu, menu_point_for(target), target);
  release_shortcut_menu(menu);
  const bool clip_put = chosen && GetClipboardSequenceNumber() != before;
  if (clip_put && paste_on_choice == 1)
    paste_into(target);
  else if (!chosen || clip_put)
    return_to(target);
  open = false;
}

void track_icon_popup(int x, int y) {
  const paste_target target{last_outside_window(), nullptr, false, RECT{}};
  const DWORD before = GetClipboardSequenceNumber();
  TrackPopupMenu(popup_menu, TPM_RIGHTBUTTON, x, y, 0, main_window, nullptr);
  if (paste_on_choice != 1) return;
  // Run now rather than from the loop, so the paste follows the clip.
  MSG message;
  if (!PeekMessageA(&message, main_window, WM_MENUCOMMAND, WM_MENUCOMMAND, PM_REMOVE)) return;
  DispatchMessageA(&message);
  if (GetClipboardSequenceNumber() != before) paste_into(target);
}
