// The shortcut's clip list: a window of our own, drawn like a menu, that never takes the
// focus from the program the user types in. It takes the keys it needs while it is open
// (app/clip_list_keys.h); every other key, a click elsewhere or the target leaving the
// foreground closes it and goes on where it was going.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct list_entry {
  enum class kind { command, separator, submenu, find };
  kind what;
  std::wstring label;  // as a menu's: "&" marks the mnemonic, a tab the right-hand text
  HMENU source;        // the menu whose item the entry stands for; nullptr for none
  UINT id;
  int number;          // the record or genre the item carried when the list opened
  HMENU submenu;
  bool grayed;
  bool checked;
};

// The items of menu as they are now, each with what it stands for.
std::vector<list_entry> entries_of_menu(HMENU menu);

using list_choice = void (*)(const list_entry& chosen);

// Shows entries with their top-left corner at `at`, or ending at flip_y when there is no
// room below, never off the work area, over target, which keeps the foreground. held_key,
// the key that asked for the list, repeats unseen while it is held. A chosen entry closes
// the list before on_choice runs. False, with nothing shown, when the keys or the window
// could not be had.
bool open_clip_list(std::vector<list_entry> entries, POINT at, int flip_y, HWND target, UINT held_key,
                    list_choice on_choice);
void close_clip_list();
bool clip_list_is_open();

// What the hooks ask of the list: whether it takes vk (a key-down) now; then the key is
// posted, or the list told to close, and the work done later, outside the hook.
bool clip_list_takes(UINT vk);
void post_list_key(UINT vk);
void post_list_close();
// Whether the screen point lies on one of the list's windows.
bool on_clip_list(POINT point);
