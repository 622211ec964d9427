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
record_index reuse_file_index;

namespace {
// The appended file's record boundaries when another file is on view.
record_index append_index;

record_index& index_of_append_file() {
  return std::strcmp(history_file, history_append_file) == 0 ? history_index : append_index;
}

// The pass of the index each stream was last found to be open on the file of; another
// pass means the file may have been replaced behind the stream.
int writer_generation = -1;
int reader_generation = -1;

bool opened_on_file_of(const record_stream& stream, const record_index& index) {
  file_stamp open;
  return stream.stamp(open) && same_file(open, index.stamp());
}

void reopen_writer() {
  history_writer.close();
  history_writer.open(history_append_file, open_mode::read_write_end);
}

// The index has just looked at the name; the writer is looked at only when that look
// made a new pass.
void follow_the_name(const record_index& index) {
  if (!history_writer.is_open()) {
    reopen_writer();
  } else if (writer_generation != index.generation() && !opened_on_file_of(history_writer, index)) {
    reopen_writer();
    report_replaced(kept_file::history, history_append_file);
  }
  writer_generation = opened_on_file_of(history_writer, index) ? index.generation() : -1;
}
}  // namespace

void open_history_streams() {
  history_index.hold();
  append_index.hold();
  reuse_file_index.hold();
  history_writer.open(history_append_file, open_mode::read_write_end);
  writer_generation = -1;
  history_index.refresh(history_file);
  history_reader.open(history_file, open_mode::read);
  reader_generation = opened_on_file_of(history_reader, history_index) ? history_index.generation() : -1;
}

void close_history_streams() {
  history_writer.close();
  history_reader.close();
  reader_generation = -1;
  // Whoever closes the streams may replace the files next.
  history_index.let_go();
  append_index.let_go();
  reuse_file_index.let_go();
}

bool reader_is_current() {
  return history_reader.is_open() && reader_generation == history_index.generation() &&
         history_index.is_current(history_file) && reader_generation == history_index.generation();
}

append_result append_history_text(const char* text) {
  record_index& index = index_of_append_file();
  index.refresh(history_append_file);
  follow_the_name(index);
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
