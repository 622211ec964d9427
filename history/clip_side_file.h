// The side file of the data folder: for a Shift_JIS record, the text as it was copied
// (when Shift_JIS could not hold it) and the time it was captured. Every line is named by
// the SHA-256 of the record's bytes, so what it says follows the text through every file
// it is copied to, and a text changed by hand simply has nothing beside it.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "history/side_lines.h"

constexpr char side_file_name[] = "_clip_original.txt";

sha256_digest record_key(const char* record);

// Keeps original (units UTF-16 units) as what record stands for, unless it already does;
// the newest original of a key is the one read back. False (and the user told) when
// the line could not be saved.
bool keep_original(const char* record, const char16_t* original, std::size_t units);
// Keeps when record was captured; the newest time of a key is the one read back.
bool keep_time(const char* record, const clip_time& time);
// Keeps when record was captured with the next lines written, so a burst of captures
// writes its times in one append; until then they are read back from memory.
void keep_time_soon(const char* record, const clip_time& time);
// Writes the times kept for soon; every other change of the file writes them first.
bool write_waiting_times();
// Both in one append, as a capture keeps them; original or time may be null.
bool keep_side_lines(const char* record, const char16_t* original, std::size_t units, const clip_time* time);
// The text record was copied as: only when a kept original converts to exactly record.
// The clipboard output takes it from here, and so can any window that shows a clip in
// Unicode (labels, the title and the find window show the Shift_JIS text until they do).
bool original_of(const char* record, std::u16string& original);
bool time_of(const char* record, clip_time& time);

// Forgets every line of these keys.
bool drop_side_keys(const std::vector<sha256_digest>& keys);
// Keeps only the newest original and time of the keys a record of the record files still
// names, and notes the size that leaves for side_file_has_grown.
bool compact_side_file(const std::vector<std::string>& record_files);
// The file has grown past twice what its last compaction left, and by more than a little.
bool side_file_has_grown();
