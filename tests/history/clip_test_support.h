// Shared by the capture, ring, link-tag and private-clip tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The clipboard outlives each test process; a test that counts clips starts from none.
inline void empty_clipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
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
    char label[64];
    if (GetMenuStringA(menu, position, label, sizeof label, MF_BYPOSITION) > 0) labels.push_back(label);
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
