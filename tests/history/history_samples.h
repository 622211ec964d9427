// History files as they lie on disk, menus and clipboard memory, for the history tests.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/win32/app_fixture.h"

// Records in the default mode: each text followed by BEL CR LF.
inline std::string records_on_disk(const std::vector<std::string>& texts) {
  std::string bytes;
  for (const std::string& text : texts) bytes += text + "\a\r\n";
  return bytes;
}

// Records "r<first>" to "r<last>".
inline std::string numbered_records(int first, int last) {
  std::vector<std::string> texts;
  for (int n = first; n <= last; ++n) texts.push_back("r" + std::to_string(n));
  return records_on_disk(texts);
}

// The entries of a menu after its fixed first item: identifier and label.
inline std::vector<std::pair<UINT, std::string>> menu_entries(HMENU menu) {
  std::vector<std::pair<UINT, std::string>> entries;
  for (int position = 1; position < GetMenuItemCount(menu); ++position) {
    entries.emplace_back(GetMenuItemID(menu, position), menu_string(menu, position, MF_BYPOSITION));
  }
  return entries;
}

inline HGLOBAL global_copy(const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (void* target = GlobalLock(memory)) {
    if (size > 0) CopyMemory(target, bytes, size);
    GlobalUnlock(memory);
  }
  return memory;
}

// Labels of a menu's string entries from position first on.
inline std::vector<std::string> menu_labels(HMENU menu, int first = 0) {
  std::vector<std::string> labels;
  for (int position = first; position < GetMenuItemCount(menu); ++position) {
    const std::string label = menu_string(menu, position, MF_BYPOSITION);
    if (!label.empty()) labels.push_back(label);
  }
  return labels;
}

inline std::vector<UINT> menu_ids(HMENU menu, int first = 0) {
  std::vector<UINT> ids;
  for (int position = first; position < GetMenuItemCount(menu); ++position) ids.push_back(GetMenuItemID(menu, position));
  return ids;
}

// The ring menu's clip entries start after ">標準" and the separator.
constexpr int first_ring_entry = 2;

inline const char* history_on_settings() { return "[init]\r\nsave=history\r\n"; }
