// Copying stored records as the bytes they are, so nothing the record reader would hide
// or cut (zero bytes, the byte after an inner stop byte, long records) is lost.
#pragma once
#include <cstdint>
#include <vector>

struct byte_range {
  std::uint64_t from;
  std::uint64_t to;  // one past the last byte
};

// Writes the ranges of source, in order, into a new file target and reads it back: true
// only when target holds exactly those bytes (length and checksum). A failed copy leaves
// no target behind.
bool copy_byte_ranges(const char* source, const std::vector<byte_range>& ranges, const char* target);

class record_index;
// Splits the record file of index (which must be up to date) after its first `records`
// records, as the reader numbers them, into two new files holding exactly the bytes of
// each part; false, and neither file left behind, when the file has no more records than
// that or a copy is not whole.
bool split_record_file(const record_index& index, int records, const char* head, const char* tail);
