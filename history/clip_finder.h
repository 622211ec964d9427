// Finding clips as the user types: a folded copy of one history file, and of the older
// files its clips were moved to, searched whole for every query. Records are read with the
// record reader; the older files' come first, so the history's numbers are those of the
// history menu raised by the older records. A text recorded several times, in one file or
// in several, is found once, at its newest record.
// The work comes in slices, so a window that uses it never waits long: building the copy,
// and answering a query. The later half of a long copy is read, and searched, meanwhile
// on a thread of its own.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "history/file_watch.h"
#include "history/folder_notice.h"
#include "history/folding_lane.h"
#include "history/record_file.h"
#include "history/record_index.h"
#include "text/search_fold.h"

class clip_finder {
 public:
  static constexpr int most_kept = 1000;

  // Starts reading name anew; what was held is given back.
  void start_build(const char* name);
  // Reads on for up to about byte_budget bytes of the file; true when the copy is whole.
  bool build_slice(std::size_t byte_budget);
  bool built() const { return built_; }

  enum class change { none, appended, rebuilt };
  // Looks at the file, as the offset index does: records added at its end are read at
  // once; another file, a shorter one or one rewritten starts a new build. A query in
  // progress or answered must then be started again.
  change refresh(const char* name);
  // Reads record number's stored text into out (clip_size bytes). Records added to a copy
  // already made are told from older ones that fold alike through it; without it they are
  // never taken for one.
  using record_reader = std::function<bool(int number, char* out)>;
  void set_record_reader(record_reader read) { read_ = std::move(read); }
  // Names the files older than the history, oldest first, at each build and after the
  // history's folder told of a change; any change to one of them makes the copy anew.
  using older_lister = std::function<std::vector<listed_file>()>;
  void set_older_lister(older_lister list) { list_older_ = std::move(list); }
  // Histories of this many bytes or more are read and searched on two cores.
  void set_split_least(std::uint64_t bytes) { split_least_ = bytes; }
  // Whether the copy was made so, the lane's part taken.
  bool read_in_two() const { return read_in_two_; }
  // Record numbers from this on are the history's.
  int first_of_history() const { return older_records_ + 1; }
  // Which older file holds record number, and its number there; false for the history's.
  bool older_place(int number, std::string& name, int& number_there) const;

  // Starts answering query over the records held.
  void start_query(const char* query);
  // Searches on for up to about byte_budget bytes of the copy; true when answered.
  bool query_slice(std::size_t byte_budget);
  bool answered() const { return answered_; }
  // Record numbers of the newest matches, newest first (at most most_kept).
  std::vector<int> newest_matches() const;
  // Matches counted once for each text.
  int match_count() const { return scan_.count; }
  // How many records hold the text of record number, its newest.
  int times(int number) const;
  // The folded text of record number, length bytes at the pointer.
  const char* folded_of(int number, std::size_t& length) const;
  const search_query& query() const { return query_; }

  int count() const { return count_; }
  const std::string& name() const { return name_; }
  // What the finder holds in memory.
  std::size_t memory_bytes() const;
  // Gives every byte back.
  void release();

 private:
  void clear();
  void add_record(const char* text);
  void add_start(std::size_t offset);
  std::size_t room_for(std::size_t wanted);
  void make_room(std::size_t room);
  // The lane takes the later half of a long history; once the reading here has come to
  // where it started, its records follow these.
  void start_lane();
  bool take_lane(std::size_t byte_budget);
  std::uint32_t start(int number) const;
  std::int32_t& same(int number);
  std::int32_t same(int number) const;
  bool folded_alike(int a, int b) const;
  // While the copy is first made, each record's hash waits in its place of same_blocks_,
  // and two bits of a hash's own say whether it was met once or more; once the copy is
  // read, records that met a hash again are looked up by it, a slice at a time.
  void note_hash(const char* text, std::size_t length);
  void mark_seen(int number);
  std::uint32_t seen_mask() const;
  bool link_slice(std::size_t records);
  int older_alike_in_table(int number, std::uint32_t hash);
  // Records added later are looked for in the folded copy and read by the reader.
  int older_alike_by_search(const char* text);
  void take_as_older(int number, int older);
  void drop_table();
  // The record holding byte offset at of the copy, searched from record `from` on.
  int record_at(std::size_t at, int from) const;
  // Reads records up to byte_budget bytes, or until raw offset stop_at; true when it
  // came to the end or stop_at.
  bool read_records(record_stream& reader, std::size_t byte_budget, std::uint64_t stop_at);
  // Reads on in the older file being read; true when it is read whole.
  bool read_older(std::size_t byte_budget);
  // Whether an older file came, went or changed since the copy was made.
  bool older_changed();
  // Bytes of the files read so far, the older ones included.
  std::uint64_t bytes_read();

  std::string name_;
  struct older_file {
    listed_file listed;
    int first = 0, count = 0;
  };
  older_lister list_older_;
  std::vector<older_file> older_;
  std::size_t older_read_ = 0;  // older files read whole
  int older_records_ = 0;
  std::uint64_t older_bytes_ = 0;  // their sizes added up, the history's not
  std::uint64_t read_before_ = 0;  // bytes of the older files read whole
  record_stream older_stream_;
  folder_notice older_notice_;
  // Every record folded, each followed by a zero byte, so no term runs across two.
  // Grown and shrunk in place where the platform can.
  struct free_bytes {
    void operator()(char* bytes) const { std::free(bytes); }
  };
  std::unique_ptr<char, free_bytes> folded_;
  std::size_t folded_size_ = 0, folded_room_ = 0;
  // Declared after the copy it writes into, so it ends first.
  folding_lane lane_;
  std::size_t lane_moved_ = 0, lane_taken_ = 0;  // of its copy and records, taken so far
  std::uint64_t split_least_ = std::uint64_t{4} << 20;
  bool read_in_two_ = false;
  // Where each record starts in folded_, in fixed blocks: no copies as it grows.
  static constexpr std::size_t block_records = std::size_t{1} << 12;
  std::vector<std::unique_ptr<std::uint32_t[]>> blocks_;
  // For each record, in blocks alike: the number of the next newer record holding the same
  // text, or, for the newest of a text, minus the number of older records holding it.
  std::vector<std::unique_ptr<std::int32_t[]>> same_blocks_;
  int count_ = 0;
  int distinct_ = 0;
  std::vector<std::uint64_t> seen_, seen_again_;
  std::size_t seen_again_count_ = 0;
  struct table_slot {
    std::uint32_t hash = 0, record = 0;
  };
  std::vector<table_slot> table_;
  bool linking_ = false;
  int link_cursor_ = 0;
  int noted_ = 0;  // records whose bits are set
  bool first_build_ = false;
  // Records added since the copy was made, each searched for in the whole copy: past a
  // few, making the copy again is quicker.
  int appended_ = 0;
  record_reader read_;
  std::unique_ptr<char[]> older_text_;
  // The file, open while the copy is held, and the reading in progress.
  file_watch watch_;
  bool reading_ = false;
  std::unique_ptr<char[]> record_;
  bool built_ = false;
  std::uint64_t end_ = 0;          // raw offset past the last record read
  std::uint64_t last_start_ = 0;   // raw offset of the last record
  bool end_position_ = true;       // false: the last record runs into the end of the file
  std::size_t folded_before_last_ = 0;

  search_query query_;
  bool answered_ = false;
  // A search of the records whose folded texts start in [at, end), from record cursor on.
  struct query_scan {
    std::size_t at = 0, end = 0;
    int cursor = 1;
    int count = 0;
    std::vector<int> kept;  // the newest matches, a ring of most_kept
  };
  void scan_on(query_scan& scan, std::size_t byte_budget) const;
  // The query searched anew, from the start of the copy.
  void restart_query();
  // Splits the search in two halves when the copy is long.
  void begin_scan();
  // Ends the search beside, its matches forgotten.
  void stop_query_lane();
  query_scan scan_;
  bool scan_started_ = false;
  // The later half of the copy, searched beside while scan_ takes the first: nothing
  // the search reads changes until it has ended. Declared last, so it ends first.
  query_scan lane_scan_;
  bool lane_searching_ = false;  // its matches are yet to join scan_'s
  std::atomic<bool> lane_scan_stop_{false};
  lane_thread query_lane_;
};
