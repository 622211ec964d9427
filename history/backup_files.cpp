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

// Every backup as the folder lists it, names Shift_JIS cannot hold left out: no backup
// of ours has one.
template <typename take>
void list_backups(take each) {
  WIN32_FIND_DATAW found;
  const std::wstring pattern = wide_file_name((std::string("*") + backup_base_name).c_str());
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const sjis_text name = sjis_from_utf16(reinterpret_cast<const char16_t*>(found.cFileName));
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || name.unmappable != 0) continue;
    const std::uint64_t size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    const std::int64_t written = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime);
    each(listed_file{name.bytes, size, written});
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

std::vector<std::string> backup_file_names() {
  std::vector<std::string> names;
  list_backups([&names](listed_file file) { names.push_back(std::move(file.name)); });
  return names;
}

std::vector<listed_file> numbered_backups() {
  std::vector<std::pair<int, listed_file>> numbered;
  list_backups([&numbered](listed_file file) {
    const int number = backup_number_of(file.name);
    if (number > 0) numbered.emplace_back(number, std::move(file));
  });
  std::sort(numbered.begin(), numbered.end(),
            [](const std::pair<int, listed_file>& a, const std::pair<int, listed_file>& b) { return a.first < b.first; });
  std::vector<listed_file> files;
  for (auto& backup : numbered) files.push_back(std::move(backup.second));
  return files;
}
