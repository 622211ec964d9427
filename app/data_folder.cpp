#include "app/data_folder.h"

#include <windows.h>

namespace {
char data_folder[32768];
bool folder_can_move = false;
}  // namespace

folder_may_move::folder_may_move() { folder_can_move = true; }

folder_may_move::~folder_may_move() {
  folder_can_move = false;
  if (data_folder[0] != '\0') SetCurrentDirectoryA(data_folder);
}

void remember_data_folder() {
  const DWORD length = GetCurrentDirectoryA(sizeof data_folder, data_folder);
  if (length == 0 || length >= sizeof data_folder) data_folder[0] = '\0';
}

in_data_folder::in_data_folder() : moved_(false) {
  if (!folder_can_move || data_folder[0] == '\0') return;
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) return;
  found_.assign(needed, '\0');
  const DWORD length = GetCurrentDirectoryA(needed, &found_[0]);
  if (length == 0 || length >= needed) return;
  found_.resize(length);
  if (found_ == data_folder) return;
  moved_ = SetCurrentDirectoryA(data_folder) != 0;
}

in_data_folder::~in_data_folder() {
  if (moved_) SetCurrentDirectoryA(found_.c_str());
}
