// Shared by the drawer tests: record files written as the program writes them, and the
// drawer and genre menus read back by position as the user sees them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/app_fixture.h"

// Records "<prefix>1" ... "<prefix>count", each followed by the default separator.
inline std::string numbered_records(int count, const std::string& prefix) {
  std::string bytes;
  for (int i = 1; i <= count; ++i) bytes += prefix + std::to_string(i) + "\a\r\n";
  return bytes;
}

inline std::string record(const std::string& text) { return text + "\a\r\n"; }

struct menu_entry {
  int id;
  std::string label;
  bool operator==(const menu_entry& other) const { return id == other.id && label == other.label; }
};

// The entries after the separator at position 0.
inline std::vector<menu_entry> entries_of(HMENU menu) {
  std::vector<menu_entry> entries;
  const int count = GetMenuItemCount(menu);
  for (int position = 1; position < count; ++position) {
    entries.push_back({static_cast<int>(GetMenuItemID(menu, position)), menu_string(menu, position, MF_BYPOSITION)});
  }
  return entries;
}

inline bool is_checked(HMENU menu, int id) {
  return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

inline void choose_by_position(HWND window, HMENU menu, int position) {
  SendMessageA(window, WM_MENUCOMMAND, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(menu));
}
