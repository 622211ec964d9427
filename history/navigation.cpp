#include "history/navigation.h"

#include <bitset>
#include <cstring>
#include <string>

#include "history/history_streams.h"
#include "history/moves.h"
#include "text/sjis.h"

int back_stack[back_stack_size] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

namespace {
// After a first-letter search that found nothing, the next letter starts from the top.
bool letter_search_missed = false;
// A search reads records into clip_text; one that finds nothing puts the clip back.
char clip_before_search[clip_size];

// The first bytes of the records, as a letter search that read the whole file from the
// top and found nothing saw them: a key no record begins with is then answered without
// reading the file again, until it changes.
struct first_bytes {
  std::string file;
  int generation = -1;
  int count = -1;
  std::bitset<256> seen;
};
first_bytes first_bytes_seen;

bool first_bytes_stand() {
  return first_bytes_seen.file == history_file && history_index.name() == history_file &&
         first_bytes_seen.generation == history_index.generation() && first_bytes_seen.count == history_index.count() &&
         reader_is_current();
}

void keep_clip_before_search() { std::memcpy(clip_before_search, clip_text, sizeof clip_text); }

// Nothing found: the clip stays as it was, and the reader goes back to just after the
// record on show.
void restore_after_miss(int shown) {
  move_mode = move_to_position;
  move_target = shown;
  restart_from_top();
  if (shown > 0) move();
  std::memcpy(clip_text, clip_before_search, sizeof clip_text);
}
}  // namespace

void push_position(int position) {
  std::memmove(back_stack + 1, back_stack, sizeof back_stack[0] * (back_stack_size - 1));
  back_stack[0] = position;
}

int pop_position() {
  const int popped = back_stack[0];
  std::memmove(back_stack, back_stack + 1, sizeof back_stack[0] * (back_stack_size - 1));
  back_stack[back_stack_size - 1] = popped;
  return popped;
}

void forget_missed_letter() { letter_search_missed = false; }

bool find_record_holding(const char* wanted) {
  const int shown = current_index;
  keep_clip_before_search();
  follow_reader();
  read_result result = read_record(history_reader, current_index);
  while (result == read_result::record && sjis_find(clip_text, wanted) == nullptr) {
    if (history_count < current_index) history_count = current_index;
    result = read_record(history_reader, current_index);
  }
  if (result != read_result::record) {
    restore_after_miss(shown);
    return false;
  }
  letter_search_missed = false;
  return true;
}

bool find_record_starting_with(unsigned char byte) {
  const int shown = current_index;
  keep_clip_before_search();
  if (history_reader.at_end() || letter_search_missed) restart_from_top();
  follow_reader();
  const bool from_top = current_index == 0;
  if (from_top && first_bytes_stand() && !first_bytes_seen.seen[byte]) {
    restore_after_miss(shown);
    letter_search_missed = true;
    return false;
  }
  std::bitset<256> seen;
  bool found = false;
  while (!found && read_record(history_reader, current_index) == read_result::record) {
    seen.set(static_cast<unsigned char>(clip_text[0]));
    found = static_cast<unsigned char>(clip_text[0]) == byte && clip_text[0] != '\0';
  }
  if (!found && from_top) first_bytes_seen = {history_file, history_index.generation(), history_index.count(), seen};
  if (!found) restore_after_miss(shown);
  letter_search_missed = !found;
  return found;
}
