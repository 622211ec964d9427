#include "drawers/drawer_records.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "drawers/drawer_names.h"
#include "history/file_replace.h"
#include "history/record_file.h"

namespace {
constexpr int name_size = 260;

// Bytes a text takes on disk once each LF is written as CR LF.
unsigned long long size_on_disk(const char* text) {
  unsigned long long size = 0;
  for (const char* c = text; *c != '\0'; ++c) size += *c == '\n' ? 2 : 1;
  return size;
}

bool has_size(const char* name, unsigned long long expected) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data)) return false;
  return ((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) == expected;
}
}  // namespace

void read_drawer_record(int block, int drawer, int number) {
  char name[name_size];
  drawer_file_name(name, sizeof name, block, drawer);
  record_stream reader;
  if (!reader.open(name, open_mode::read_must_exist)) return;
  int count = 0;
  if (read_record(reader, count) != read_result::record) return;
  while (count != number)
    if (read_record(reader, count) != read_result::record) return;
}

bool append_drawer_record(int block, int drawer, const char* text) {
  char name[name_size];
  drawer_file_name(name, sizeof name, block, drawer);
  record_stream writer;
  if (!writer.open(name, open_mode::append)) return false;
  write_record(writer, text);
  return true;
}

void delete_drawer_record(int block, int drawer, int number) {
  char name[name_size];
  drawer_file_name(name, sizeof name, block, drawer);
  char temporary[name_size];
  const int length = std::snprintf(temporary, sizeof temporary, "%st", name);
  if (length < 0 || length >= static_cast<int>(sizeof temporary)) return;

  record_stream reader;
  if (!reader.open(name, open_mode::read_must_exist)) return;
  record_stream writer;
  if (!writer.open(temporary, open_mode::rewrite)) return;
  unsigned long long expected = 0;
  const unsigned long long separator_bytes = size_on_disk(record_separator);
  int count = 0;
  while (read_record(reader, count) == read_result::record) {
    if (count == number || clip_text[0] == '\0') continue;
    write_record(writer, clip_text);
    expected += size_on_disk(clip_text) + separator_bytes;
  }
  reader.close();
  writer.close();
  // A short temporary file (a full disk) must never take the drawer file's place.
  if (!has_size(temporary, expected) || !replace_file(temporary, name)) DeleteFileA(temporary);
}
