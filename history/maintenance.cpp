#include "history/maintenance.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/clip_menus.h"
#include "history/file_replace.h"
#include "history/history_streams.h"
#include "history/navigation.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"

int last_reused_index = 0;
int recycle_menu_count = 0;

namespace {
const char keep_file_name[] = "0_clip_bak.txt";
const char reuse_index_temp_name[] = "recycletmp.txt";

bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Reads the next white-space-separated decimal number of a line file; false at its end
// or at anything that is no number. Numbers are held within the int range.
bool read_index_number(record_stream& index, int& number) {
  while (is_space(index.peek())) index.get();
  bool negative = false;
  if (index.peek() == '-' || index.peek() == '+') negative = index.get() == '-';
  if (!is_digit(index.peek())) return false;
  long long value = 0;
  while (is_digit(index.peek())) {
    const int digit = index.get() - '0';
    if (value < INT_MAX) value = value * 10 + digit;
  }
  // One below the top, so a caller may still add 1.
  if (value > INT_MAX - 1) value = INT_MAX - 1;
  number = static_cast<int>(negative ? -value : value);
  return true;
}

void write_index_number(record_stream& index, int number) {
  char line[16];
  const int length = std::snprintf(line, sizeof line, "%d\n", number);
  index.write(line, static_cast<size_t>(length));
  index.flush();
}

// Copies records from reader into a rewritten file, at most limit of them (every one
// that is left when limit is negative); returns how many.
int copy_records(record_stream& reader, const char* name, int limit) {
  record_stream out;
  out.open(name, open_mode::rewrite);
  int copied = 0;
  while ((limit < 0 || copied < limit) && read_record(reader, copied) == read_result::record)
    write_record(out, clip_text);
  return copied;
}

void write_renumbered_index() {
  record_stream index;
  index.open(recycle_index_file_name, open_mode::read);
  record_stream renumbered;
  renumbered.open(reuse_index_temp_name, open_mode::rewrite);
  int number = 0;
  // Entries that pointed into the records moved to the backup are dropped.
  while (read_index_number(index, number))
    if (number > data_max) write_index_number(renumbered, number - data_max);
}

bool file_exists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

void restart_view(WPARAM wparam, LPARAM lparam) {
  current_index = 1;
  history_count = 0;
  SendMessageA(main_window, WM_LBUTTONDOWN, wparam, lparam);
}
}  // namespace

void count_history() { history_count = count_records(history_file); }

bool compact_history() {
  close_history_streams();
  // Raised and saved before the backup is written, so a number is never used twice; a
  // lost settings file must not make the numbering run over existing backups.
  char backup_name[file_name_size];
  do {
    ++backup_number;
    std::snprintf(backup_name, sizeof backup_name, "%d%s", backup_number, backup_base_name);
  } while (file_exists(backup_name));
  save_settings();

  record_stream reader;
  reader.open(history_append_file, open_mode::read);
  const int backed_up = copy_records(reader, backup_name, data_max);
  write_renumbered_index();
  const int kept = copy_records(reader, keep_file_name, -1);
  reader.close();

  // The writes report no failure, so the copies are counted again before the history
  // is given up: a short copy must never take its place.
  const bool copies_whole = backed_up == data_max && kept > 0 && count_records(backup_name) == backed_up &&
                            count_records(keep_file_name) == kept;
  const bool replaced = copies_whole && replace_file(keep_file_name, history_append_file);
  // Renumbered entries only fit the history that was actually shortened.
  if (replaced) replace_file(reuse_index_temp_name, recycle_index_file_name);
  open_history_streams();
  return replaced;
}

void fill_history_menu() {
  record_stream reader;
  reader.open(history_file, open_mode::read);
  int number = 0;
  const int skip = history_count - history_id_span;
  while (number < skip && read_record(reader, number) == read_result::record) {
  }
  while (read_record(reader, number) == read_result::record) {
    add_clip_to_menu(history_menu, history_id_base, number, clip_text, history_menu_max, history_menu_count);
    history_count = number;
  }
}

void fill_recycle_menu() {
  record_stream index;
  index.open(recycle_index_file_name, open_mode::read);
  int counter = 0;
  int number = 0;
  while (read_index_number(index, number)) {
    current_index = number + 1;
    step_back(0);
    add_clip_to_menu(recycle_menu, recycle_id_base, current_index, clip_text, recycle_menu_limit, counter);
  }
}

void append_to_history(const char* text) {
  write_history_record(text);
  ++history_count;
  current_index = history_count;
  add_clip_to_menu(history_menu, history_id_base, history_count, text, history_menu_max, history_menu_count);
}

void record_reuse(int number) {
  if (number == last_reused_index) return;
  record_stream reused;
  reused.open(recycle_file_name, open_mode::append);
  write_record(reused, clip_text);
  record_stream index;
  index.open(recycle_index_file_name, open_mode::append);
  write_index_number(index, number);
  add_clip_to_menu(recycle_menu, recycle_id_base, number, clip_text, recycle_menu_limit, recycle_menu_count);
  last_reused_index = number;
}

void switch_history(const char* view_name, WPARAM wparam, LPARAM lparam) {
  close_history_streams();
  std::snprintf(history_file, sizeof history_file, "%s", view_name);
  std::snprintf(history_append_file, sizeof history_append_file, "%s", default_history_name);
  open_history_streams();
  restart_view(wparam, lparam);
}

void open_history_file(WPARAM wparam, LPARAM lparam) {
  close_history_streams();
  // Kept between calls so the dialog starts from the last choice.
  static char picked[file_name_size];
  if (pick_history_file(main_window, picked)) std::snprintf(history_file, sizeof history_file, "%s", picked);
  open_history_streams();
  restart_view(wparam, lparam);
}
