#include "history/history_streams.h"

char history_file[file_name_size] = "_clip.txt";
char history_append_file[file_name_size] = "_clip.txt";
int history_count = 0;
int current_index = 1;

// Defined together so they are built in this order and closed in reverse at exit.
record_stream history_writer;
record_stream history_reader;
record_stream link_tag_writer;

void open_history_streams() {
  history_writer.open(history_append_file, open_mode::read_write_end);
  history_reader.open(history_file, open_mode::read);
}

void close_history_streams() {
  history_writer.close();
  history_reader.close();
}

void write_history_record(const char* text) {
  write_record(history_writer, text);
  history_writer.flush();
}
