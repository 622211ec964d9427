// The two long-lived streams over the history, and the history's shared state.
#pragma once
#include "history/record_file.h"

constexpr int file_name_size = 260;
extern char history_file[file_name_size];         // file on show and read by navigation
extern char history_append_file[file_name_size];  // file every captured clip is appended to
extern int history_count;
extern int current_index;  // 1-based; history_count + 1 is the empty end position

extern record_stream history_writer;
extern record_stream history_reader;
extern record_stream link_tag_writer;

void open_history_streams();
void close_history_streams();
// Appends one record through the history writer and flushes it, so a crash loses nothing.
void write_history_record(const char* text);
