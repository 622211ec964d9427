#include "history/record_append.h"

#include <cstdio>

#include "history/file_ops.h"
#include "text/file_names.h"

namespace {
int last_byte(const char* name, std::uint64_t size) {
  std::FILE* file = size > 0 ? open_file(name, "rb") : nullptr;
  if (file == nullptr) return EOF;
  const int last = seek_stream(file, size - 1) ? std::fgetc(file) : EOF;
  std::fclose(file);
  return last;
}

void cut_trailing_mark(const char* name, record_index& index) {
  const std::uint64_t size = index.file_size();
  if (last_byte(name, size) == 0x1A && truncate_file(name, size - 1)) index.forget_trailing_mark();
}

// What ends the last record: the whole separator, or only the rest of it after a stop
// byte that the file already ends in (a torn write, an editor that dropped the line
// break), so the new record starts with no line break of its own.
const char* missing_separator(const char* name, const record_index& index) {
  if (index.has_end_position()) return "";
  const bool ends_in_stop = last_byte(name, index.file_size()) == static_cast<unsigned char>(record_separator[0]);
  return ends_in_stop && record_separator[0] != '\n' ? record_separator + 1 : record_separator;
}
}  // namespace

std::string prepare_append(const char* name, record_index& index, const char* text) {
  index.refresh(name);
  // A file read to a clean end at its last byte has no mark to cut.
  if (!index.has_end_position() || index.end() != index.file_size()) {
    cut_trailing_mark(name, index);
    index.refresh(name);
  }
  std::string bytes;
  bytes += missing_separator(name, index);
  bytes += text;
  bytes += record_separator;
  return bytes;
}

bool append_or_cut_back(const char* name, const std::string& bytes, std::uint64_t size_before) {
  record_stream writer;
  bool written = writer.open(name, open_mode::append) && writer.write(bytes.data(), bytes.size());
  written = writer.flush() && written;
  // Closed before the cut, so no byte the stream still held lands after it.
  written = writer.close() && written;
  if (!written) truncate_file(name, size_before);
  return written;
}

int append_to_record_file(const char* name, const char* text) {
  record_index records;
  return append_to_record_file(name, records, text);
}

int append_to_record_file(const char* name, record_index& records, const char* text) {
  const std::string bytes = prepare_append(name, records, text);
  // The text's first record follows every record already in the file.
  const int first = records.count() + 1;
  const bool written = append_or_cut_back(name, bytes, records.file_size());
  records.take_own_append(name);
  return written ? first : 0;
}

bool append_line(const char* name, const char* line) {
  std::uint64_t size = 0;
  file_size_of(name, size);
  if (last_byte(name, size) == 0x1A && truncate_file(name, size - 1)) --size;
  const int last = last_byte(name, size);
  std::string bytes = last != EOF && last != '\n' ? "\n" : "";
  bytes += line;
  bytes += '\n';
  return append_or_cut_back(name, bytes, size);
}
