// What the find window lists: the ring's clips and the current genre's phrases that
// match, then the history's matches, then those of its backups, newest first. A clip is listed once, in the ring's place when the
// ring holds it (by its newest record while history is saved), with how many times it was
// recorded and when it was copied where that is known. Every row's label and text are read from where the row's
// clip lives at the moment they are shown, by the same number that puts it back.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "history/clip_finder.h"
#include "history/folder_notice.h"
#include "history/record_index.h"

enum class row_kind { ring, drawer, history, backup };

struct find_row {
  row_kind kind;
  int number;  // ring: slot; drawer, history and backup: record in its file
  int file;    // drawer rows: block * drawer_count + drawer; backup rows: which backup
  int menu_id; // ring rows: the slot's menu id when listed
  int times;   // ring, history and backup rows: how many records hold the text
};

class find_rows {
 public:
  static constexpr std::size_t label_size = 200;

  // Reads the drawers of the current genre's five blocks; again when the genre or a
  // drawer file has changed since, which is looked at only after the data folder told
  // of a change.
  void load_drawers();
  bool drawers_changed();
  // A stamp of the ring's state, which changes with every clip kept in it.
  static int ring_stamp();
  // The rows for the finder's answered query.
  void make(const clip_finder& finder);
  // The finder's record reader: record number as the finder counts it, from the history
  // or from the backup that holds it, into out (clip_size bytes).
  bool read_found(const clip_finder& finder, int number, char* out);
  void clear() { rows_.clear(); }
  std::size_t size() const { return rows_.size(); }
  int count_in_all() const { return pinned_ + history_matches_ - twins_; }
  const find_row& at(std::size_t i) const { return rows_[i]; }
  // The row's whole text into out (clip_size bytes), read by the history's index as it
  // was last brought up to date; false when it is gone.
  bool text_of(const find_row& row, char* out);
  // The row's one-line label, the clip as it was copied, valid until the next call; kept
  // for history and backup rows, so drawing a screen again reads nothing and allocates
  // nothing.
  const wchar_t* label_of(const find_row& row);
  // Labels are kept while the files stay as they are; a change of any file forgets them.
  void forget_labels();
  // Puts the row's clip back as its menu would; false when it is gone.
  bool choose(const find_row& row);
  void release();

 private:
  // The ring's rows, each text once, newest first.
  void add_ring_rows(const search_query& query);
  // Takes the history's newest matches, less the records the ring lists.
  void add_history_rows(const clip_finder& finder);
  // The history's or a backup's row for the finder's record number.
  find_row found_row(const clip_finder& finder, int number);
  // Record number of a backup, read through an index of the backup's own.
  bool read_backup(const std::string& name, int number, char* out);
  // Whether the finder's record number holds text, which folds to folded (length bytes).
  bool record_holds(const clip_finder& finder, int number, const char* text, const std::string& folded);
  // The head of the row's label: where it comes from, when it was copied, how often.
  int write_head(const find_row& row, const char* text, char* label);
  struct phrase {
    int drawer, record;
    std::string text;
  };
  std::vector<phrase> phrases_;
  std::string drawers_file_;  // the first drawer's file when the phrases were read
  std::uint64_t drawers_bytes_ = 0;  // and the drawer files' sizes added up
  folder_notice data_folder_;
  bool drawers_stale_ = false;
  std::vector<find_row> rows_;
  // The backups' names as the finder listed them for the rows; a row names its by place.
  std::vector<std::string> backup_names_;
  struct backup_index {
    std::string name;
    std::unique_ptr<record_index> index;
  };
  std::vector<backup_index> backup_indexes_;
  // History and backup labels by record number, each in its own place of a fixed table:
  // successive keys list many of the same records.
  struct kept_label {
    int number = 0;
    int file = 0;
    wchar_t text[label_size];
  };
  static constexpr std::size_t kept_labels = 1024;
  std::unique_ptr<kept_label[]> labels_;
  wchar_t label_[label_size] = L"";
  std::unique_ptr<char[]> text_;  // clip_size bytes, read into while labels are made
  int pinned_ = 0;
  int history_matches_ = 0;
  int twins_ = 0;  // history matches listed in the ring's places
};
