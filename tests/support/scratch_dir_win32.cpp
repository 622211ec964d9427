#include <windows.h>

#include "tests/support/scratch_dir.h"

namespace {
void remove_tree(const std::string& dir) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = dir + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        remove_tree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(dir.c_str());
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
  remove_tree(dir_);
}

bool scratch_dir_test::file_exists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }
