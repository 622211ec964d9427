// History files as they lie on disk, for tests that start the program on them.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

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
    char label[64] = "";
    GetMenuStringA(menu, position, label, sizeof label, MF_BYPOSITION);
    entries.emplace_back(GetMenuItemID(menu, position), label);
  }
  return entries;
}

// Leaves the clipboard empty, so the next test's start-up has nothing to capture.
inline void empty_clipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}
