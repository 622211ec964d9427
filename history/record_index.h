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
  // Brings the index up to date with the file: nothing when its size is unchanged, the
  // added records when it grew, a new pass when it shrank or is another file.
  void refresh(const char* name);
  int count() const { return count_; }
  // Raw offset of record number (1 to count()).
  std::uint64_t start(int number) const;
  // Raw offset just past the last record when the file has an end position; the file's
  // size otherwise.
  std::uint64_t end() const { return end_; }
  // A read after the last record finds no byte: the empty end position. False when the
  // last record runs into the end of the file, so that more bytes would join it.
  bool has_end_position() const { return end_position_; }
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
