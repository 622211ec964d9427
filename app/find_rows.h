// What the find window lists: the ring's clips and the current genre's phrases that
// match, then the history's matches. Every row's label and text are read from where the
// row's clip lives at the moment they are shown, by the same number that puts it back.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "history/clip_finder.h"

enum class row_kind { ring, drawer, history };

struct find_row {
  row_kind kind;
  int number;  // ring: slot; drawer: record; history: record
  int drawer;  // drawer rows: block * drawer_count + drawer
  int menu_id; // ring rows: the slot's menu id when listed
};

class find_rows {
 public:
  // Reads the drawers of the current genre's five blocks; again when the genre or a
  // drawer file has changed since.
  void load_drawers();
  bool drawers_changed() const;
  // A stamp of the ring's state, which changes with every clip kept in it.
  static int ring_stamp();
  // The rows for the finder's answered query.
  void make(const clip_finder& finder);
  void clear() { rows_.clear(); }
  std::size_t size() const { return rows_.size(); }
  int count_in_all() const { return pinned_ + history_matches_; }
  const find_row& at(std::size_t i) const { return rows_[i]; }
  // The row's whole text into out (clip_size bytes); false when it is gone.
  bool text_of(const find_row& row, char* out) const;
  // The row's one-line label.
  std::string label_of(const find_row& row) const;
  // Labels are kept while the files stay as they are; a change of any file forgets them.
  void forget_labels() { labels_.clear(); }
  // Puts the row's clip back as its menu would; false when it is gone.
  bool choose(const find_row& row) const;
  void release();

 private:
  struct phrase {
    int drawer, record;
    std::string text;
  };
  std::vector<phrase> phrases_;
  std::string drawers_file_;  // the first drawer's file when the phrases were read
  std::uint64_t drawers_bytes_ = 0;  // and the drawer files' sizes added up
  std::vector<find_row> rows_;
  // Open on the history file on show while rows are read from it.
  mutable record_stream history_;
  mutable std::string history_name_;
  // History labels by record number: successive keys list many of the same records.
  mutable std::unordered_map<int, std::string> labels_;
  int pinned_ = 0;
  int history_matches_ = 0;
};
