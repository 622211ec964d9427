#include "history/maintenance.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <deque>
#include <vector>

#include <windows.h>

#include "history/byte_copy.h"
#include "history/history_streams.h"
#include "history/history_view.h"
#include "history/moves.h"
#include "history/record_append.h"
#include "history/reuse_index.h"
#include "settings/save_report.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "text/file_replace.h"
#include "text/menu_label.h"
#include "text/file_names.h"

int last_reused_index = 0;
int recycle_menu_count = 0;
int history_menu_count = 0;

namespace {

const char keep_file_name[] = "0_clip_bak.txt";
const char reuse_index_temp_name[] = "recycletmp.txt";
// A renumbered index whose history was shortened but which could not take the index's
// place yet; the next start puts it there.
const char reuse_index_pending_name[] = "recycle_pending.txt";
// A pending copy that is no index (damaged, or not the program's) is kept here, unused.
const char reuse_index_refused_name[] = "recycle_pending_refused.txt";

bool write_index_number(record_stream& index, int number) {
  char line[16];
  const int length = std::snprintf(line, sizeof line, "%d\n", number);
  return index.write(line, static_cast<size_t>(length)) && index.flush();
}

// Renumbered entries only fit the history that was actually shortened: once it is, the
// renumbered copy is kept until it is in the index's place.
void swap_in_renumbered_index() {
  if (replace_file(reuse_index_temp_name, recycle_index_file_name)) {
    report_save(true, kept_file::reuse, recycle_index_file_name);
    return;
  }
  MoveFileExW(wide_file_name(reuse_index_temp_name).c_str(), wide_file_name(reuse_index_pending_name).c_str(),
              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  report_save(false, kept_file::reuse, recycle_index_file_name);
}

// Entries that pointed into the records moved to the backup are dropped.
bool write_renumbered_index() {
  record_stream index;
  index.open(recycle_index_file_name, open_mode::read);
  record_stream renumbered;
  bool written = renumbered.open(reuse_index_temp_name, open_mode::rewrite);
  int number = 0;
  while (written && read_index_number(index, number))
    if (number > data_max) written = write_index_number(renumbered, number - data_max);
  return renumbered.close() && written;
}

// The backup takes the first data_max records and the keep file the rest, each as the
// bytes they are; the history is given up only for copies checked byte for byte.
bool copy_for_compaction(const char* backup_name) {
  // Compaction runs only on the history on view, whose index start-up has just made.
  history_index.refresh(history_append_file);
  if (!split_record_file(history_index, data_max, backup_name, keep_file_name)) return false;
  if (write_renumbered_index()) return true;
  remove_file(backup_name);
  return false;
}

// The pending copy numbers records of the history appended to, which only grows until
// the next compaction.
bool pending_index_fits_history() {
  history_index.refresh(history_append_file);
  record_stream pending;
  return pending.open(reuse_index_pending_name, open_mode::read_must_exist) &&
         is_sound_index(pending, history_index.count());
}

// Re-uses go where the next start finds them: into the renumbered copy while the index
// it should replace is held by another program. Each re-use tries the swap again first.
const char* reuse_index_in_use() {
  if (!file_exists(reuse_index_pending_name)) return recycle_index_file_name;
  if (!replace_file(reuse_index_pending_name, recycle_index_file_name)) return reuse_index_pending_name;
  report_save(true, kept_file::reuse, recycle_index_file_name);
  return recycle_index_file_name;
}
}  // namespace

void finish_reuse_index_swap() {
  if (!file_exists(reuse_index_pending_name)) return;
  if (!pending_index_fits_history()) {
    MoveFileExW(wide_file_name(reuse_index_pending_name).c_str(), wide_file_name(reuse_index_refused_name).c_str(),
                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    report_set_aside(kept_file::reuse, reuse_index_pending_name, reuse_index_refused_name);
    return;
  }
  report_save(replace_file(reuse_index_pending_name, recycle_index_file_name), kept_file::reuse,
              recycle_index_file_name);
}

void count_history() {
  history_index.refresh(history_file);
  history_count = history_index.count();
}

bool compact_history() {
  close_history_streams();
  // Raised and saved before the backup is written, so a number is never used twice; a
  // lost settings file must not make the numbering run over existing backups.
  char backup_name[file_name_size];
  do {
    ++backup_number;
    std::snprintf(backup_name, sizeof backup_name, "%d%s", backup_number, backup_base_name);
  } while (file_exists(backup_name) && backup_number < INT_MAX);
  save_settings();

  const bool replaced = copy_for_compaction(backup_name) && replace_file(keep_file_name, history_append_file);
  remove_file(keep_file_name);
  report_save(replaced, kept_file::history, history_append_file);
  if (replaced)
    swap_in_renumbered_index();
  else
    remove_file(reuse_index_temp_name);
  open_history_streams();
  return replaced;
}

void fill_history_menu() {
  record_stream reader;
  reader.open(history_file, open_mode::read);
  history_index.refresh(history_file);
  // Only the last records can have an entry that is ever chosen; the index skips the rest.
  const int skip = history_count - history_id_span;
  int number = 0;
  if (skip > 0 && skip < history_index.count() && history_index.seek_after(reader, skip)) number = skip;
  while (number < skip && read_record(reader, number) == read_result::record) {
  }
  // The menu keeps the newest entries of thousands of offers; the offers are counted and
  // trimmed here, as the menu would trim them, and only the entries that stay are made.
  struct entry {
    int number;
    char label[menu_label_size];
  };
  std::deque<entry> kept;
  while (read_record(reader, number) == read_result::record) {
    entry offered{number, {}};
    make_menu_label(clip_text, offered.label);
    if (offered.label[0] != '\0') kept.push_back(offered);
    if (++history_menu_count > history_menu_max && !kept.empty()) kept.pop_front();
    history_count = number;
  }
  for (const entry& e : kept) shown_history().list_entry(clip_list::history, e.number, e.label);
}

void fill_recycle_menu() {
  record_stream index;
  index.open(reuse_index_in_use(), open_mode::read);
  int counter = 0;
  int number = 0;
  const one_look_at_the_file burst;
  while (read_index_number(index, number)) {
    current_index = number + 1;
    move_back(false);
    shown_history().offer_clip(clip_list::recycle, current_index, clip_text, recycle_menu_limit, counter);
  }
  // The windows show what the last entry left, once rather than per entry.
  if (counter > 0) shown_history().show_clip();
}

bool append_to_history(const char* text) {
  const append_result appended = append_history_text(text);
  // A text that did not reach the file gets no number and no entry.
  if (!report_save(appended.saved, kept_file::history, history_append_file)) return false;
  // Numbered by the file as it is, records other programs added included.
  const bool on_view = std::strcmp(history_file, history_append_file) == 0;
  const int first_record = on_view ? appended.first_record : history_count + 1;
  history_count = on_view ? history_index.count() : history_count + appended.records;
  current_index = history_count;
  shown_history().offer_clip(clip_list::history, first_record, text, history_menu_max, history_menu_count);
  return true;
}

void record_reuse(int number) {
  if (number == last_reused_index) return;
  std::uint64_t size_before = 0;
  file_size_of(recycle_file_name, size_before);
  const bool saved = append_to_record_file(recycle_file_name, reuse_file_index, clip_text) != 0;
  char line[16];
  std::snprintf(line, sizeof line, "%d", number);
  const bool indexed = saved && append_line(reuse_index_in_use(), line);
  // A record without its index line would stand for nothing: it goes again.
  if (saved && !indexed) truncate_file(recycle_file_name, size_before);
  if (!report_save(indexed, kept_file::reuse, recycle_file_name)) return;
  shown_history().offer_clip(clip_list::recycle, number, clip_text, recycle_menu_limit, recycle_menu_count);
  last_reused_index = number;
}

void show_history_file(const char* view_name) {
  std::snprintf(history_append_file, sizeof history_append_file, "%s", default_history_name);
  reopen_history_file(view_name);
}

void reopen_history_file(const char* view_name) {
  close_history_streams();
  if (view_name != nullptr) std::snprintf(history_file, sizeof history_file, "%s", view_name);
  open_history_streams();
  current_index = 1;
  history_count = 0;
}
