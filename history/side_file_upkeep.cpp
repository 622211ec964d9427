#include "history/side_file_upkeep.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "history/clip_side_file.h"
#include "text/wide_text.h"

namespace {
// Every record file the program keeps in the data folder ends in ".txt"; a text file
// that is no record file can only keep a few more lines than needed.
std::vector<std::string> data_folder_texts() {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(L"*.txt", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    // A name Shift_JIS cannot hold is no file of ours.
    const sjis_text name = sjis_from_utf16(reinterpret_cast<const char16_t*>(found.cFileName));
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && name.unmappable == 0 &&
        name.bytes != side_file_name)
      names.push_back(name.bytes);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}
}  // namespace

bool tidy_side_file() { return compact_side_file(data_folder_texts()); }

void tidy_side_file_when_grown() {
  if (side_file_has_grown()) tidy_side_file();
}
