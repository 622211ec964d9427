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
