// The two long-lived streams over the history, and the history's shared state.
#pragma once
#include "history/record_file.h"
#include "history/record_index.h"

constexpr int file_name_size = 260;
extern char history_file[file_name_size];         // file on show and read by navigation
extern char history_append_file[file_name_size];  // file every captured clip is appended to
extern int history_count;
extern int current_index;  // 1-based; history_count + 1 is the empty end position

extern record_stream history_writer;
extern record_stream history_reader;
// Where the records of history_file start; kept up to date by every opening.
extern record_index history_index;
// Where the records of the re-use file start, extended by each re-use.
extern record_index reuse_file_index;

// The clip and the files a start begins with, before the settings are read.
void set_history_defaults();
// Opens the writer on history_append_file and the reader on history_file, and brings the
// index up to date with history_file.
void open_history_streams();
// Closes the files too, so they may be replaced or deleted until the next opening.
void close_history_streams();
// The reader is open on the file the name stands for, which is as the index saw it.
bool reader_is_current();

struct append_result {
  bool saved;        // false: nothing reached the file, which is as it was before
  int records;       // records the text makes under the reader's rules
  int first_record;  // the number of its first record, in the file as the append found it
};
// Appends text to history_append_file as records, flushed. The append starts on a record
// boundary: a trailing Ctrl+Z is cut off and a missing final separator written first.
// A failed write is cut back off the file. When the name no longer stands for the file
// the writer has open (another program renamed a file over it or deleted it), the
// writer follows the name, creating the file when it is gone, and says so.
append_result append_history_text(const char* text);
