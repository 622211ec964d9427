#include "history/side_file_upkeep.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "history/clip_side_file.h"

namespace {
// Every record file the program keeps in the data folder ends in ".txt"; a text file
// that is no record file can only keep a few more lines than needed.
std::vector<std::string> data_folder_texts() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("*.txt", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && std::strcmp(found.cFileName, side_file_name) != 0)
      names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}
}  // namespace

bool tidy_side_file() { return compact_side_file(data_folder_texts()); }

void tidy_side_file_when_grown() {
  if (side_file_has_grown()) tidy_side_file();
}
