// Where the side file's newest original and newest capture time of each record key are,
// found in one pass and kept in 24 bytes a key; the file itself is read again only for an
// original.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <unordered_map>
#include <vector>

#include "history/file_ops.h"
#include "history/side_lines.h"

// The one place the side file and its copies are opened for reading their bytes raw.
std::FILE* open_side_file_raw(const char* name);

using side_line_visitor = std::function<void(std::uint64_t at, const char* line, std::size_t length)>;
// Hands every whole line of the file to visit, with the raw offset it starts at and
// without its line end; a last line without a line end (a torn write) is left out. False
// when the file cannot be read.
bool for_each_side_line(const char* name, const side_line_visitor& visit);

constexpr std::uint64_t no_side_line = UINT64_MAX;

// The index holds the key's first 8 bytes: an original read back is checked against the
// whole key, and two texts sharing those bytes are not to be expected.
std::uint64_t short_key(const sha256_digest& key);

struct side_entry {
  std::uint64_t key = 0;
  std::uint64_t original_at = no_side_line;  // raw offset of the newest original line
  std::uint32_t original_length = 0;         // its bytes, line end excluded
  std::uint32_t time = 0;                    // newest capture time, packed; 0 for none
};

class side_index {
 public:
  // Reads the file anew; a missing file gives an empty index.
  void load(const char* name);
  void clear();
  bool loaded() const { return loaded_; }
  // The file the name stands for is the one the index was made from, in the same state.
  bool is_current(const char* name) const;
  // The same for a look already taken: whether the file exists, and its stamp then.
  bool is_current(bool exists, const file_stamp& now) const;
  // After our own append to the file the index was current for, it is current again.
  void follow_own_append(const file_stamp& now);
  const side_entry* find(std::uint64_t key) const;
  side_entry& entry_for(std::uint64_t key);
  // Position of the key's entry among entries(), or entries().size(); lines kept since
  // the load are not among them.
  std::size_t position_of(std::uint64_t key) const;
  const std::vector<side_entry>& entries() const { return loaded_entries_; }

 private:
  std::vector<side_entry> loaded_entries_;  // sorted by key
  std::unordered_map<std::uint64_t, side_entry> kept_since_load_;
  file_stamp stamp_{};
  bool exists_ = false;
  bool loaded_ = false;
};
