#include "history/moves.h"

#include <cstdint>
#include <cstring>

#include "history/file_ops.h"
#include "history/history_streams.h"

int move_target = 1;
int move_mode = move_by_steps;

namespace {
constexpr int jump_length = 100;

// The end of the data: a read that found no byte left shows the empty end position,
// which counts as a step; a reader that had already ended changes nothing.
void reach_end(read_result result) {
  if (result != read_result::end_reached) return;
  ++current_index;
  if (move_mode == move_by_steps) --move_target;
}

bool should_stop() {
  if (move_mode == move_to_position) return current_index == move_target;
  if (move_mode == move_by_steps) return --move_target == 0;
  return true;
}

// Records that reading would pass over without stopping at, from where the reader stands.
int records_passed_over(int available) {
  if (move_mode == move_to_position)
    return move_target > current_index ? move_target - 1 - current_index : available;
  if (move_mode == move_by_steps) return move_target >= 1 ? move_target - 1 : available;
  return 0;
}

// Passing over records only counts them, so the reader can jump past them at once; the
// last record is always read, so the end is met exactly as reading meets it.
void skip_ahead() {
  if (history_reader.failed() || history_reader.at_end() || history_index.name() != history_file) return;
  const int behind = history_reader.records_read();
  const int available = history_index.count() - 1 - behind;
  int skip = records_passed_over(available);
  if (skip > available) skip = available;
  if (skip <= 0 || !history_index.seek_after(history_reader, behind + skip)) return;
  current_index += skip;
  if (move_mode == move_by_steps) move_target -= skip;
  if (history_count < current_index) history_count = current_index;
}

bool file_looked_at = false;

bool index_is_current() {
  if (!history_reader.is_open() || history_index.name() != history_file) return false;
  return file_looked_at || reader_is_current();
}

void reopen_streams() {
  close_history_streams();
  open_history_streams();
}

// Reading on from where the reader stands is only safe in the file it was positioned
// in: a file rewritten, replaced or cut since is opened anew, and the reader set after
// as many records as it had read.
void reposition_if_changed() {
  if (!history_reader.is_open() || history_reader.at_end() || index_is_current()) return;
  const int shown = history_reader.records_read();
  const int mode = move_mode;
  const int target = move_target;
  reopen_streams();
  current_index = 0;
  if (shown > 0) {
    move_mode = move_to_position;
    move_target = shown;
    move();
  }
  move_mode = mode;
  move_target = target;
}
}  // namespace

void move() {
  skip_ahead();
  read_result result = read_record(history_reader, current_index);
  while (result == read_result::record) {
    if (should_stop()) return;
    if (history_count < current_index) history_count = current_index;
    result = read_record(history_reader, current_index);
  }
  reach_end(result);
}

void follow_reader() {
  reposition_if_changed();
  if (history_reader.is_open() && !history_reader.at_end()) current_index = history_reader.records_read();
}

one_look_at_the_file::one_look_at_the_file() {
  restart_from_top();
  file_looked_at = true;
}

one_look_at_the_file::~one_look_at_the_file() { file_looked_at = false; }

void restart_from_top() {
  // Every append is flushed, so going back to the first byte shows what reopening would;
  // only a file changed by someone else needs the streams opened anew.
  if (!(index_is_current() && history_reader.seek_record(0, 0))) reopen_streams();
  current_index = 0;
}

void move_back(bool jump) {
  move_mode = move_to_position;
  move_target = current_index - (jump ? jump_length : 1);
  if (move_target < 1) move_target = history_count;
  restart_from_top();
  move();
}

void move_forward(bool jump) {
  move_mode = move_by_steps;
  move_target = jump ? jump_length : 1;
  follow_reader();
  move();
  if (history_reader.at_end()) {
    restart_from_top();
    move();
  }
}
