#include "history/backup_files.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "settings/settings_values.h"
#include "text/file_names.h"
#include "text/wide_text.h"

namespace {

// The number a backup's name begins with; 0 for a name the compaction never makes.
int backup_number_of(const std::string& name) {
  const std::string base = backup_base_name;
  if (name.size() <= base.size() || name.compare(name.size() - base.size(), base.size(), base) != 0) return 0;
  long long number = 0;
  for (std::size_t at = 0; at < name.size() - base.size(); ++at) {
    if (name[at] < '0' || name[at] > '9' || number > INT_MAX / 10) return 0;
    number = number * 10 + (name[at] - '0');
  }
  // 0 is the compaction's file in progress; a number written with a leading zero, not its.
  return number <= INT_MAX && name[0] != '0' ? static_cast<int>(number) : 0;
}

}  // namespace

std::vector<std::string> backup_file_names() {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const std::wstring pattern = wide_file_name((std::string("*") + backup_base_name).c_str());
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    // A name Shift_JIS cannot hold is no backup of ours.
    const sjis_text name = sjis_from_utf16(reinterpret_cast<const char16_t*>(found.cFileName));
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && name.unmappable == 0)
      names.push_back(name.bytes);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::vector<std::string> numbered_backups() {
  std::vector<std::pair<int, std::string>> numbered;
  for (std::string& name : backup_file_names()) {
    const int number = backup_number_of(name);
    if (number > 0) numbered.emplace_back(number, std::move(name));
  }
  std::sort(numbered.begin(), numbered.end());
  std::vector<std::string> names;
  for (auto& backup : numbered) names.push_back(std::move(backup.second));
  return names;
}
