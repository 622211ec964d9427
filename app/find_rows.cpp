#include "app/find_rows.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>

#include "app/affixes.h"
#include "app/app_state.h"
#include "app/clip_display.h"
#include "app/drawer_commands.h"
#include "app/main_window.h"
#include "app/ui_text.h"
#include "drawers/drawer_menus.h"
#include "drawers/drawer_names.h"
#include "history/clip_output.h"
#include "history/file_ops.h"
#include "history/history_streams.h"
#include "history/clip_side_file.h"
#include "history/ring.h"
#include "history/time_label.h"
#include "settings/settings_values.h"
#include "text/menu_label.h"

namespace {

constexpr std::size_t label_bytes = 120;
// The ring's clips are the newest: their records are among this many newest matches.
constexpr std::size_t twin_reach = 2 * ring_slots;

constexpr int genre_drawers = block_count * drawer_count;
const char* const block_letters[block_count] = {"い", "ろ", "は", "に", "ほ"};

// Drawers are numbered through the genre: block * drawer_count + drawer.
std::string drawer_file(int drawer) {
  char name[stem_size + 16];
  drawer_file_name(name, sizeof name, drawer / drawer_count, drawer % drawer_count);
  return name;
}

// A phrase registered makes its drawer file longer; a deleted one, shorter.
std::uint64_t drawer_bytes() {
  std::uint64_t total = 0;
  for (int d = 0; d < genre_drawers; ++d) {
    std::uint64_t size = 0;
    if (file_size_of(drawer_file(d).c_str(), size)) total += size;
  }
  return total;
}

}  // namespace

void find_rows::load_drawers() {
  // Listening starts before the files are read, so no later change goes untold.
  if (!data_folder_.listening()) data_folder_.listen(".\\");
  data_folder_.take();
  drawers_stale_ = false;
  phrases_.clear();
  drawers_file_ = drawer_file(0);
  drawers_bytes_ = drawer_bytes();
  std::unique_ptr<char[]> text(new char[clip_size]);
  for (int d = 0; d < genre_drawers; ++d) {
    record_stream reader;
    if (!reader.open(drawer_file(d).c_str(), open_mode::read_must_exist)) continue;
    int record = 0;
    while (read_record_into(reader, record, text.get()) == read_result::record)
      if (text[0] != '\0') phrases_.push_back({d, record, text.get()});
  }
}

bool find_rows::drawers_changed() {
  if (drawer_file(0) != drawers_file_) return true;
  const folder_notice::news news = data_folder_.take();
  if (news.name || news.contents) drawers_stale_ = drawers_stale_ || drawer_bytes() != drawers_bytes_;
  return drawers_stale_;
}

int find_rows::ring_stamp() { return ring_remakes * 100000 + ring_pos * 1000 + recent_ring[ring_pos].menu_id; }

void find_rows::add_ring_rows(const search_query& query) {
  for (int k = 0; k < ring_slots; ++k) {
    const int s = (ring_pos - k + ring_slots) % ring_slots;
    const ring_slot& slot = recent_ring[s];
    if (slot.menu_id == 0 || slot.text[0] == '\0' || !text_matches(slot.text, query)) continue;
    bool listed = false;
    for (const find_row& row : rows_) listed = listed || std::strcmp(recent_ring[row.number].text, slot.text) == 0;
    if (!listed) rows_.push_back({row_kind::ring, s, 0, slot.menu_id, 1});
  }
}

bool find_rows::read_backup(const std::string& name, int number, char* out) {
  auto kept = std::find_if(backup_indexes_.begin(), backup_indexes_.end(),
                           [&name](const backup_index& b) { return b.name == name; });
  if (kept == backup_indexes_.end()) {
    backup_indexes_.push_back({name, std::unique_ptr<record_index>(new record_index)});
    kept = backup_indexes_.end() - 1;
  }
  // Held open as the history is, so a screen of rows costs no look at a name; the files
  // are let go before anything of ours rewrites them.
  kept->index->refresh(name.c_str());
  return kept->index->read(number, out);
}

bool find_rows::read_found(const clip_finder& finder, int number, char* out) {
  std::string name;
  int there = 0;
  if (finder.older_place(number, name, there)) return read_backup(name, there, out);
  history_index.refresh(history_file);
  return history_index.name() == history_file && history_index.read(number - finder.first_of_history() + 1, out);
}

find_row find_rows::found_row(const clip_finder& finder, int number) {
  std::string name;
  int there = 0;
  if (!finder.older_place(number, name, there))
    return {row_kind::history, number - finder.first_of_history() + 1, 0, 0, finder.times(number)};
  auto listed = std::find(backup_names_.begin(), backup_names_.end(), name);
  if (listed == backup_names_.end()) listed = backup_names_.insert(backup_names_.end(), name);
  return {row_kind::backup, there, static_cast<int>(listed - backup_names_.begin()), 0, finder.times(number)};
}

bool find_rows::record_holds(const clip_finder& finder, int number, const char* text, const std::string& folded) {
  std::size_t length = 0;
  const char* record = finder.folded_of(number, length);
  if (length != folded.size() || std::memcmp(record, folded.data(), length) != 0) return false;
  if (!text_) text_.reset(new char[clip_size]);
  return read_found(finder, number, text_.get()) && std::strcmp(text_.get(), text) == 0;
}

void find_rows::add_history_rows(const clip_finder& finder) {
  const std::size_t ring_rows = rows_.size();
  std::vector<const char*> texts(ring_rows);
  std::vector<std::string> folded(ring_rows);
  for (std::size_t r = 0; r < ring_rows; ++r) {
    texts[r] = recent_ring[rows_[r].number].text;
    folded[r].resize(std::strlen(texts[r]));
    folded[r].resize(fold_for_search(texts[r], folded[r].size(), &folded[r][0]));
  }
  std::vector<bool> twinned(ring_rows, false);
  const std::vector<int> newest = finder.newest_matches();
  for (std::size_t i = 0; i < newest.size(); ++i) {
    const int number = newest[i];
    bool twin = false;
    for (std::size_t r = 0; r < ring_rows && i < twin_reach && !twin; ++r) {
      if (twinned[r] || !record_holds(finder, number, texts[r], folded[r])) continue;
      // While history is saved, the record takes the ring's place: chosen, it is a re-use
      // as a history choice is. Otherwise the ring's clip stays, chosen as its menu would.
      if (history_saving != 0)
        rows_[r] = found_row(finder, number);
      else
        rows_[r].times = finder.times(number);
      twinned[r] = twin = true;
    }
    if (twin)
      ++twins_;
    else
      rows_.push_back(found_row(finder, number));
  }
}

void find_rows::make(const clip_finder& finder) {
  rows_.clear();
  backup_names_.clear();
  twins_ = 0;
  const search_query& query = finder.query();
  // The ring from its newest clip back, then the drawers' phrases, newest first.
  add_ring_rows(query);
  const std::size_t ring_rows = rows_.size();
  // The current block's phrases, as its drawer menus list them, before the other blocks'.
  for (const bool current : {true, false})
    for (auto p = phrases_.rbegin(); p != phrases_.rend(); ++p)
      if ((p->drawer / drawer_count == current_block) == current && text_matches(p->text.c_str(), query))
        rows_.push_back({row_kind::drawer, p->record, p->drawer, 0, 1});
  pinned_ = static_cast<int>(rows_.size());
  history_matches_ = finder.match_count();
  // The phrases wait aside while the ring's rows meet the history's.
  std::vector<find_row> phrases(rows_.begin() + static_cast<std::ptrdiff_t>(ring_rows), rows_.end());
  rows_.resize(ring_rows);
  add_history_rows(finder);
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(ring_rows), phrases.begin(), phrases.end());
}

bool find_rows::text_of(const find_row& row, char* out) {
  switch (row.kind) {
    case row_kind::ring:
      if (recent_ring[row.number].menu_id != row.menu_id) return false;
      std::snprintf(out, clip_size, "%s", recent_ring[row.number].text);
      return true;
    case row_kind::drawer:
      for (const phrase& p : phrases_)
        if (p.drawer == row.file && p.record == row.number) {
          std::snprintf(out, clip_size, "%s", p.text.c_str());
          return true;
        }
      return false;
    case row_kind::history:
      return history_index.name() == history_file && history_index.read(row.number, out);
    case row_kind::backup:
      return static_cast<std::size_t>(row.file) < backup_names_.size() &&
             read_backup(backup_names_[static_cast<std::size_t>(row.file)], row.number, out);
  }
  return false;
}

const wchar_t* find_rows::label_of(const find_row& row) {
  kept_label* kept = nullptr;
  if (row.kind == row_kind::history || row.kind == row_kind::backup) {
    if (!labels_) labels_.reset(new kept_label[kept_labels]);
    // History rows are file 0; a backup's, its place plus one.
    const int file = row.kind == row_kind::backup ? row.file + 1 : 0;
    kept = &labels_[(static_cast<std::size_t>(row.number) + 31 * static_cast<std::size_t>(file)) % kept_labels];
    if (kept->number == row.number && kept->file == file) return kept->text;
    kept->file = file;
  }
  wchar_t* label = kept != nullptr ? kept->text : label_;
  label[0] = L'\0';
  if (!text_) text_.reset(new char[clip_size]);
  if (!text_of(row, text_.get())) {
    if (kept != nullptr) kept->number = 0;
    return label;
  }
  char head[label_size];
  write_head(row, text_.get(), head);
  const std::wstring shown = wide_from_sjis(head) + clip_display(text_.get(), label_bytes, ' ');
  const std::size_t length = std::min(shown.size(), label_size - 1);
  std::wmemcpy(label, shown.data(), length);
  label[length] = L'\0';
  if (kept != nullptr) kept->number = row.number;
  return label;
}

int find_rows::write_head(const find_row& row, const char* text, char* label) {
  int head = 0;
  if (row.kind == row_kind::ring)
    head = std::snprintf(label, label_size, "[一時歴] ");
  else if (row.kind == row_kind::drawer)
    return std::snprintf(label, label_size, "[引出 %s%d] ", block_letters[row.file / drawer_count],
                         row.file % drawer_count);
  else if (row.kind == row_kind::backup)
    head = std::snprintf(label, label_size, "[%d] %d: ", std::atoi(backup_names_[static_cast<std::size_t>(row.file)].c_str()),
                         row.number);
  else
    head = std::snprintf(label, label_size, "%d: ", row.number);
  clip_time when;
  if (time_of(text, when)) {
    SYSTEMTIME local;
    GetLocalTime(&local);
    const clip_time now{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    char said[24];
    write_time_label(when, now, said, sizeof said);
    if (said[0] != '\0') head += std::snprintf(label + head, label_size - static_cast<std::size_t>(head), "%s ", said);
  }
  if (row.times > 1)
    head += std::snprintf(label + head, label_size - static_cast<std::size_t>(head), "×%d ", row.times);
  // "[引出 ほ9] " or a backup's number, a record number, a date and a count of ten digits each.
  static_assert(label_size > label_bytes + 64, "the head and the text fit");
  return head;
}

void find_rows::forget_labels() {
  if (!labels_) return;
  for (std::size_t i = 0; i < kept_labels; ++i) labels_[i].number = 0;
}

bool find_rows::choose(const find_row& row) {
  switch (row.kind) {
    case row_kind::ring:
      if (recent_ring[row.number].menu_id != row.menu_id) return false;
      take_ring_clip(row.menu_id);
      output_clip(main_window);
      return true;
    case row_kind::drawer:
      if (drawers_changed()) return false;
      if (row.file / drawer_count == current_block) {
        insert_from_drawer(row.file % drawer_count, row.number);
        return true;
      }
      // Another block's phrase goes out as its own drawer menu would put it: no affixes.
      if (!text_of(row, clip_text)) return false;
      put_clip(main_window, "", "");
      set_title_from(clip_text);
      return true;
    case row_kind::history:
      history_index.refresh(history_file);
      if (row.number < 1 || row.number > history_index.count()) return false;
      choose_history_record(row.number);
      return true;
    case row_kind::backup:
      if (!text_) text_.reset(new char[clip_size]);
      if (!text_of(row, text_.get())) return false;
      choose_backup_clip(text_.get());
      return true;
  }
  return false;
}

void find_rows::release() {
  std::vector<phrase>().swap(phrases_);
  std::vector<find_row>().swap(rows_);
  std::vector<std::string>().swap(backup_names_);
  std::vector<backup_index>().swap(backup_indexes_);
  drawers_file_.clear();
  data_folder_.stop();
  labels_.reset();
  text_.reset();
  pinned_ = 0;
  history_matches_ = 0;
  twins_ = 0;
}
