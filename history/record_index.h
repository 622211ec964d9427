// Where each record of a record file starts, found in one pass under the record reader's
// own rules, so record n is read by seeking to it rather than reading from the top.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "history/file_watch.h"
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
  // Takes the offsets of copy, made from a file of ours that has since been renamed to
  // name, instead of reading the file again; a new pass when the file name stands for is
  // not that file as copy saw it.
  void take_copy(record_index& copy, const char* name);
  // The file the name stands for is still the one the index was made from, in the same
  // state.
  bool is_current(const char* name);
  // Goes up with every new pass, so a stream opened for one pass can tell it is stale.
  int generation() const { return generation_; }
  // Which file the index was made from.
  const file_stamp& stamp() const { return watch_.stamp(); }
  // Until hold(), the file is open only while it is looked at or read, so that it may be
  // replaced or deleted; the offsets are kept, and each look opens it by name and
  // compares.
  void let_go() { watch_.let_go(); }
  void hold() { watch_.hold(); }
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
  // Reads record number (1 to count()) into out (clip_size bytes) through the index's
  // own open file, as the history menu reads it; false when there is no such record.
  bool read(int number, char* out);

 private:
  void push(std::uint64_t offset);
  void scan(std::uint64_t from);
  // Keeps the file open and tells of changes to it.
  file_watch watch_;
  int generation_ = 0;
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

// Reads record number (1 to index.count()) into out (clip_size bytes), as the history menu
// reads it, with reader open on the file index was made for; false when there is no such
// record.
bool read_numbered_record(const record_index& index, record_stream& reader, int number, char* out);
