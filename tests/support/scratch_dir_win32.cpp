#include <windows.h>

#include "tests/support/scratch_dir.h"

namespace {
// Wide, so that folders a test names in any script go too.
void remove_tree(const std::wstring& dir) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = dir + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        remove_tree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(dir.c_str());
}
}  // namespace

void scratch_dir_test::SetUp() {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof previous, previous);
  previous_dir_ = previous;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  char unique[64];
  snprintf(unique, sizeof unique, "dovane_test_%lu_%lu", GetCurrentProcessId(), GetTickCount());
  dir_ = std::string(temp) + unique;
  ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
}

void scratch_dir_test::TearDown() {
  SetCurrentDirectoryA(previous_dir_.c_str());
  // The temporary folder's path is ASCII.
  remove_tree(std::wstring(dir_.begin(), dir_.end()));
}

bool scratch_dir_test::file_exists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }
