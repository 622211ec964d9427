#include "history/forget_history.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "history/backup_files.h"
#include "history/clip_side_file.h"
#include "history/history_streams.h"
#include "history/history_view.h"
#include "history/maintenance.h"
#include "history/moves.h"
#include "history/navigation.h"
#include "history/ring.h"
#include "history/side_file_upkeep.h"
#include "settings/save_report.h"
#include "settings/settings_values.h"
#include "text/file_names.h"
#include "text/wide_text.h"

namespace {
const char reuse_index_pending_name[] = "recycle_pending.txt";

// Whole paths: the work may go on while the open-file dialog has moved the current folder.
std::string full_name(const char* name) {
  const std::wstring wide = wide_file_name(name);
  wchar_t full[MAX_PATH * 2];
  const DWORD length = GetFullPathNameW(wide.c_str(), MAX_PATH * 2, full, nullptr);
  if (length == 0 || length >= MAX_PATH * 2) return name;
  // Back to the Shift_JIS the file functions take; a folder Shift_JIS cannot name keeps
  // the short name, which still finds the file while the current folder stays.
  const sjis_text whole = sjis_from_utf16(std::u16string_view(reinterpret_cast<const char16_t*>(full), length));
  return whole.unmappable == 0 ? whole.bytes : std::string(name);
}

// A position on a file that lost the records removed: the same record, or the one after
// a record that went.
int follow(int position, const std::vector<int>& removed) {
  return position - static_cast<int>(std::lower_bound(removed.begin(), removed.end(), position) - removed.begin());
}

// Told as the kind of file that failed; a whole rewrite ends the failures of both kinds.
void report_rewrite(const forget_report& report) {
  if (report.whole) {
    report_save(true, kept_file::history, history_append_file);
    report_save(true, kept_file::reuse, recycle_file_name);
    return;
  }
  // Every kept file lies in the data folder: its own name says which.
  const std::size_t slash = report.failed.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? report.failed : report.failed.substr(slash + 1);
  const bool reuse = name == recycle_file_name || name == recycle_index_file_name || name == reuse_index_pending_name;
  const bool ring = name == ring_file_name;
  report_save(false, reuse ? kept_file::reuse : ring ? kept_file::ring : kept_file::history, name.c_str());
}

const std::vector<int>* removed_from_view(const forget_report& report) {
  const std::string on_view = full_name(history_file);
  for (const auto& file : report.removed_from)
    if (file.first == on_view) return &file.second;
  return nullptr;
}

// The lists are made anew from the files, and clip_text holds the record at position
// (the empty end position past the last record).
void show_again(int position) {
  shown_history().clear_list(clip_list::history);
  shown_history().clear_list(clip_list::recycle);
  history_menu_count = 0;
  recycle_menu_count = 0;
  last_reused_index = 0;
  count_history();
  fill_history_menu();
  fill_recycle_menu();
  restart_from_top();
  count_history();
  current_index = position < 1 ? 1 : position > history_count ? history_count + 1 : position;
  clip_text[0] = '\0';
  if (current_index <= history_count) {
    const int wanted = current_index;
    current_index = wanted + 1;
    move_back(false);
  }
  forget_missed_letter();
  shown_history().show_clip();
}
}  // namespace

kept_files data_folder_kept_files() {
  kept_files files;
  files.history = full_name(history_append_file);
  for (const std::string& backup : backup_file_names()) files.others.push_back(full_name(backup.c_str()));
  files.others.push_back(full_name(ring_file_name));
  files.others.push_back(full_name(recycle_file_name));
  files.reuse_index = full_name(recycle_index_file_name);
  files.reuse_index_pending = full_name(reuse_index_pending_name);
  return files;
}

forget_report finish_forget_clip(forget_work& work, const kept_files& files, bool in_drawers) {
  // Held apart: clip_text is read into while the lists are made again.
  const std::string forgotten = work.text;
  forget_from_ring(forgotten.c_str());
  close_history_streams();
  forget_report report = finish_forget(work, files);
  // The copy's offsets hold for the history in its place: the program does not wait for
  // a new pass over it.
  if (report.history_index && std::strcmp(history_file, history_append_file) == 0)
    history_index.take_copy(*report.history_index, history_file);
  open_history_streams();
  save_ring();
  // A drawer keeps the text, and with it what was copied.
  if (!in_drawers) drop_side_keys({record_key(forgotten.c_str())});
  report_rewrite(report);
  int position = current_index;
  if (const std::vector<int>* removed = removed_from_view(report)) {
    position = follow(current_index, *removed);
    for (int& pushed : back_stack) pushed = follow(pushed, *removed);
  }
  show_again(position);
  return report;
}

forget_report clear_history() {
  clear_ring();
  close_history_streams();
  forget_report report = clear_files(data_folder_kept_files());
  open_history_streams();
  save_ring();
  // The drawers' originals stay; every other line names a record that is gone.
  tidy_side_file();
  report_rewrite(report);
  for (int& pushed : back_stack) pushed = 1;
  show_again(1);
  return report;
}
