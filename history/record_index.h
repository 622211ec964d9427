// Where each record of a record file starts, found in one pass under the record reader's
// own rules, so record n is read by seeking to it rather than reading from the top.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "history/record_file.h"

class record_index {
 public:
  void clear();
  // Reads the whole file (created empty when missing, as a reading opening does).
  void build(const char* name);
  // Brings the index up to date with the file: nothing when it is as the index saw it,
  // else a new pass.
  void refresh(const char* name);
  // After our own append to the file the index was current for: only the added records
  // are read (a new pass when the file is not as the append left it).
  void take_own_append(const char* name);
  // The file the name stands for is still the one the index was made from, in the same
  // state, and reader (when given) has that same file open.
  bool is_current(const char* name, const record_stream* reader) const;
  int count() const { return count_; }
  // Raw offset of record number (1 to count()).
  std::uint64_t start(int number) const;
  // Raw offset just past the last record when the file has an end position; the file's
  // size otherwise.
  std::uint64_t end() const { return end_; }
  // A read after the last record finds no byte: the empty end position. False when the
  // last record runs into the end of the file, so that more bytes would join it.
  bool has_end_position() const { return end_position_; }
  // After our own rename of the file the index was made from, it holds under name.
  void take_renamed(const char* name) { name_ = name; }
  // After a trailing Ctrl+Z at end() was cut off the file, the index still holds.
  void forget_trailing_mark();
  const std::string& name() const { return name_; }
  std::uint64_t file_size() const { return size_; }
  std::size_t memory_bytes() const;
  // Puts the reader, open on the same file, at the start of record number + 1, with
  // number records before it; false when that record does not exist.
  bool seek_after(record_stream& reader, int number) const;

 private:
  void push(std::uint64_t offset);
  void scan(const char* name, std::uint64_t from);
  // The raw bytes just before end_, as the file now has them.
  std::string tail_now(const char* name) const;
  // What was seen of the file: an edit that keeps the size, or one before the old end
  // that the file then grows past, shows in the time or in these bytes.
  static constexpr std::size_t tail_bytes = 8;
  file_stamp stamp_;
  std::string tail_;
  // Fixed blocks rather than one growing array: no copies on growth, and never more
  // than one partly used block (32 KiB) beyond 8 bytes a record.
  static constexpr std::size_t block_records = std::size_t{1} << 12;
  std::vector<std::unique_ptr<std::uint64_t[]>> blocks_;
  int count_ = 0;
  bool end_position_ = true;
  std::uint64_t end_ = 0;
  std::uint64_t size_ = 0;  // file size the index was made for
  std::string name_;
};
