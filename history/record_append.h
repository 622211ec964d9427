// Appending to a record file so that what was there reads as before and the new text
// starts a record of its own.
#pragma once
#include <string>

#include "history/record_index.h"

// Cuts a trailing Ctrl+Z (the old end-of-data mark, which bytes after it would join)
// off the file, brings index up to date with it (its file_size() is then the size the
// append starts from), and returns what to append for text:
// the text and the separator, after a separator of its own when the last record runs
// into the end of the file.
std::string prepare_append(const char* name, record_index& index, const char* text);

// Appends bytes (LF stored as CR LF) to the file, flushed and closed; a failed write is
// cut back to size_before, so the file stays as it was.
bool append_or_cut_back(const char* name, const std::string& bytes, std::uint64_t size_before);
// Appends text to a record file that no stream holds open, as prepare_append makes it.
// Returns the number of the text's first record, 0 when nothing was written.
int append_to_record_file(const char* name, const char* text);
// The same with an index of the file that is kept between appends: it is brought up to
// date first, and our own append extends it instead of a new pass over the file.
int append_to_record_file(const char* name, record_index& records, const char* text);
// Appends one line to a line file (one entry a line), after a line break of its own when
// the last line has none and with a trailing Ctrl+Z cut off, so what was there reads as
// before; false, the file as it was, when the line could not be written.
bool append_line(const char* name, const char* line);
