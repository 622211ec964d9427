#include "drawers/drawer_records.h"

#include <windows.h>

#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/save_report.h"
#include "drawers/drawer_names.h"
#include "history/byte_copy.h"
#include "history/file_ops.h"
#include "text/file_replace.h"
#include "history/record_append.h"
#include "history/record_file.h"
#include "text/file_names.h"

namespace {
constexpr int name_size = 260;
}  // namespace

bool read_drawer_record(int block, int drawer, int number) {
  char name[name_size];
  drawer_file_name(name, sizeof name, block, drawer);
  record_stream reader;
  if (!reader.open(name, open_mode::read_must_exist)) return false;
  int count = 0;
  if (read_record(reader, count) != read_result::record) return false;
  while (count != number)
    if (read_record(reader, count) != read_result::record) return false;
  return true;
}

int append_drawer_record(int block, int drawer, const char* text) {
  char name[name_size];
  drawer_file_name(name, sizeof name, block, drawer);
  const int first_record = append_to_record_file(name, text);
  return report_save(first_record != 0, kept_file::drawer, name) ? first_record : 0;
}

void delete_drawer_record(int block, int drawer, int number) {
  char name[name_size];
  drawer_file_name(name, sizeof name, block, drawer);
  char temporary[name_size];
  const int length = std::snprintf(temporary, sizeof temporary, "%st", name);
  if (length < 0 || length >= static_cast<int>(sizeof temporary)) {
    report_save(false, kept_file::drawer, name);
    return;
  }
  record_stream reader;
  // A drawer that does not exist has nothing to delete.
  if (!reader.open(name, open_mode::read_must_exist)) return;
  // The records kept are copied as the bytes they are, separators included, so nothing
  // the reader hides (zero bytes, the byte after an inner stop byte) is lost.
  std::vector<byte_range> kept;
  int count = 0;
  for (;;) {
    const std::uint64_t start = reader.tell();
    if (read_record(reader, count) != read_result::record) break;
    const std::uint64_t end = reader.at_end() ? UINT64_MAX : reader.tell();
    if (count != number && clip_text[0] != '\0') kept.push_back({start, end});
  }
  reader.close();
  std::uint64_t size = 0;
  bool saved = file_size_of(name, size);
  for (byte_range& range : kept)
    if (range.to > size) range.to = size;
  saved = saved && copy_byte_ranges(name, kept, temporary) && replace_file(temporary, name);
  if (!saved) remove_file(temporary);
  report_save(saved, kept_file::drawer, name);
}
