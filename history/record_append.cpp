#include "history/record_append.h"

#include <cstdio>

#include "history/file_ops.h"

namespace {
void cut_trailing_mark(const char* name, record_index& index) {
  const std::uint64_t size = index.file_size();
  std::FILE* file = size > 0 ? std::fopen(name, "rb") : nullptr;
  if (file == nullptr) return;
  const int last = seek_stream(file, size - 1) ? std::fgetc(file) : EOF;
  std::fclose(file);
  if (last == 0x1A && truncate_file(name, size - 1)) index.forget_trailing_mark();
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
  if (!index.has_end_position()) bytes += record_separator;
  bytes += text;
  bytes += record_separator;
  return bytes;
}
