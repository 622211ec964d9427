#include "app/data_folder.h"

#include <windows.h>

namespace {
wchar_t data_folder[32768];
bool folder_can_move = false;
}  // namespace

folder_may_move::folder_may_move() { folder_can_move = true; }

folder_may_move::~folder_may_move() {
  folder_can_move = false;
  if (data_folder[0] != L'\0') SetCurrentDirectoryW(data_folder);
}

void remember_data_folder() {
  const DWORD length = GetCurrentDirectoryW(32768, data_folder);
  if (length == 0 || length >= 32768) data_folder[0] = L'\0';
}

in_data_folder::in_data_folder() : moved_(false) {
  if (!folder_can_move || data_folder[0] == L'\0') return;
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return;
  found_.assign(needed, L'\0');
  const DWORD length = GetCurrentDirectoryW(needed, &found_[0]);
  if (length == 0 || length >= needed) return;
  found_.resize(length);
  if (found_ == data_folder) return;
  moved_ = SetCurrentDirectoryW(data_folder) != 0;
}

in_data_folder::~in_data_folder() {
  if (moved_) SetCurrentDirectoryW(found_.c_str());
}
