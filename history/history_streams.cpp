#include "history/history_streams.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "history/file_ops.h"
#include "history/record_append.h"
#include "settings/save_report.h"
#include "settings/settings_values.h"

char history_file[file_name_size] = "_clip.txt";
char history_append_file[file_name_size] = "_clip.txt";
int history_count = 0;
int current_index = 1;

// Defined together so they are built in this order and closed in reverse at exit.
record_stream history_writer;
record_stream history_reader;
record_index history_index;

namespace {
// The appended file's record boundaries when another file is on view.
record_index append_index;

record_index& index_of_append_file() {
  return std::strcmp(history_file, history_append_file) == 0 ? history_index : append_index;
}

void reopen_writer() {
  history_writer.close();
  history_writer.open(history_append_file, open_mode::read_write_end);
}

bool writer_left_behind() {
  file_stamp open;
  file_stamp named;
  return !(history_writer.stamp(open) && stamp_of_path(history_append_file, named) && same_file(open, named));
}

void follow_the_name() {
  if (!history_writer.is_open()) {
    reopen_writer();
  } else if (writer_left_behind()) {
    reopen_writer();
    report_replaced(kept_file::history, history_append_file);
  }
}
}  // namespace

void open_history_streams() {
  history_writer.open(history_append_file, open_mode::read_write_end);
  history_reader.open(history_file, open_mode::read);
  history_index.refresh(history_file);
}

void close_history_streams() {
  history_writer.close();
  history_reader.close();
}

append_result append_history_text(const char* text) {
  follow_the_name();
  record_index& index = index_of_append_file();
  const std::string record = prepare_append(history_append_file, index, text);
  const std::uint64_t size_before = index.file_size();
  const int records_before = index.count();
  const bool written = history_writer.is_open() && history_writer.write(record.data(), record.size());
  if (!(history_writer.flush() && written)) {
    // The stream may still hold bytes it failed to write; they must not follow the cut.
    history_writer.close();
    truncate_file(history_append_file, size_before);
    reopen_writer();
    index.take_own_append(history_append_file);
    return {false, 0, 0};
  }
  index.take_own_append(history_append_file);
  return {true, index.count() - records_before, records_before + 1};
}

void set_history_defaults() {
  std::snprintf(clip_text, sizeof clip_text, "%s", "dovane_clip");
  history_count = 0;
  std::snprintf(history_append_file, sizeof history_append_file, "%s", default_history_name);
  std::snprintf(history_file, sizeof history_file, "%s", default_history_name);
}
