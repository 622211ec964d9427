#include "history/clip_finder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "text/file_names.h"

namespace {

// Offsets are 32 bits: a copy that would pass 4 GB keeps later records empty.
constexpr std::size_t largest_copy = std::numeric_limits<std::uint32_t>::max();
constexpr int most_appended = 16;
constexpr std::uint64_t no_stop = std::numeric_limits<std::uint64_t>::max();
// The lane's work is waited for this long at a time, so a window's slice stays short.
constexpr int lane_wait_ms = 5;

// Records appended while the window is open: a little room ahead, never double.
std::size_t room_ahead(std::size_t wanted) { return wanted + wanted / 64 + 4096; }

// The newest matches, a ring of most_kept: older ones go a block at a time.
void keep_match(std::vector<int>& kept, int record) {
  kept.push_back(record);
  if (kept.size() >= 2 * static_cast<std::size_t>(clip_finder::most_kept))
    kept.erase(kept.begin(), kept.begin() + clip_finder::most_kept);
}

// The folder name is in, with its separator: the older files are listed and watched there.
std::string folder_of(const std::string& name) {
  const std::size_t cut = name.find_last_of("/\\");
#ifdef _WIN32
  return cut == std::string::npos ? std::string(".\\") : name.substr(0, cut + 1);
#else
  return cut == std::string::npos ? std::string("./") : name.substr(0, cut + 1);
#endif
}

bool bit_of(const std::vector<std::uint64_t>& bits, std::uint32_t at) { return (bits[at >> 6] >> (at & 63)) & 1; }
void set_bit(std::vector<std::uint64_t>& bits, std::uint32_t at) { bits[at >> 6] |= std::uint64_t{1} << (at & 63); }

}  // namespace

void clip_finder::clear() {
  lane_.stop();
  lane_moved_ = 0;
  lane_taken_ = 0;
  read_in_two_ = false;
  folded_size_ = 0;
  blocks_.clear();
  same_blocks_.clear();
  drop_table();
  linking_ = false;
  link_cursor_ = 0;
  noted_ = 0;
  count_ = 0;
  distinct_ = 0;
  first_build_ = false;
  appended_ = 0;
  reading_ = false;
  built_ = false;
  end_ = 0;
  last_start_ = 0;
  end_position_ = true;
  folded_before_last_ = 0;
  restart_query();
}

void clip_finder::release() {
  clear();
  folded_.reset();
  folded_room_ = 0;
  std::vector<int>().swap(scan_.kept);
  record_.reset();
  older_text_.reset();
  watch_.stop();
  name_.clear();
  std::vector<older_file>().swap(older_);
  older_read_ = 0;
  older_records_ = 0;
  older_bytes_ = 0;
  read_before_ = 0;
  older_stream_.close();
  older_notice_.stop();
}

void clip_finder::drop_table() {
  std::vector<table_slot>().swap(table_);
  std::vector<std::uint64_t>().swap(seen_);
  std::vector<std::uint64_t>().swap(seen_again_);
  seen_again_count_ = 0;
}

void clip_finder::start_build(const char* name) {
  release();
  name_ = name;
  if (list_older_) {
    // Listening starts before the files are listed, so no later change goes untold.
    older_notice_.listen(folder_of(name_).c_str());
    older_notice_.take();
    // The listing's sizes and times, not a look at each file: there may be hundreds.
    for (listed_file& older : list_older_()) {
      older_bytes_ += older.size;
      older_.push_back({std::move(older), 0, 0});
    }
  }
  watch_.start(name);
  const std::uint64_t total = older_bytes_ + watch_.stamp().size;
  // The folded copy is never longer than the files, and shorter by the separators: room
  // for all of them, given back once the copy is made.
  make_room(static_cast<std::size_t>(std::min<std::uint64_t>(total + 1, largest_copy)));
  record_.reset(new char[clip_size]);
  reading_ = true;
  first_build_ = true;
  // A bit for every 4 bytes of the file: few unlike texts share one.
  std::uint64_t bits = 1 << 16;
  while (bits < total / 4 && bits < (std::uint64_t{1} << 28)) bits <<= 1;
  seen_.assign(static_cast<std::size_t>(bits / 64), 0);
  seen_again_.assign(static_cast<std::size_t>(bits / 64), 0);
  start_lane();
}

void clip_finder::start_lane() {
  const std::uint64_t total = older_bytes_ + watch_.stamp().size;
  if (total < split_least_ || total >= largest_copy || lane_thread::processors() < 2) return;
  // Half the work each, the older files on this side; opening one costs about as much
  // as reading this many bytes.
  constexpr std::uint64_t opening_bytes = 64 << 10;
  const std::uint64_t here = older_bytes_ + opening_bytes * older_.size();
  if ((total + opening_bytes * older_.size()) / 2 <= here) return;
  const std::uint64_t near = (total + opening_bytes * older_.size()) / 2 - here;
  lane_.start(name_.c_str(), watch_.stamp(), near, folded_.get() + older_bytes_,
              folded_room_ - static_cast<std::size_t>(older_bytes_));
}

void clip_finder::make_room(std::size_t room) {
  // The lane writes into the copy: it ends before the copy moves.
  lane_.stop();
  char* moved = static_cast<char*>(std::realloc(folded_.get(), room));
  if (moved == nullptr) {
    if (room > folded_room_) throw std::bad_alloc();
    return;
  }
  folded_.release();
  folded_.reset(moved);
  folded_room_ = room;
}

std::uint32_t clip_finder::start(int number) const {
  const std::size_t at = static_cast<std::size_t>(number - 1);
  return blocks_[at / block_records][at % block_records];
}

std::int32_t& clip_finder::same(int number) {
  const std::size_t at = static_cast<std::size_t>(number - 1);
  return same_blocks_[at / block_records][at % block_records];
}

std::int32_t clip_finder::same(int number) const {
  const std::size_t at = static_cast<std::size_t>(number - 1);
  return same_blocks_[at / block_records][at % block_records];
}

const char* clip_finder::folded_of(int number, std::size_t& length) const {
  const std::size_t begin = start(number);
  const std::size_t end = number < count_ ? start(number + 1) - 1 : folded_size_ - 1;
  length = end - begin;
  return folded_.get() + begin;
}

bool clip_finder::folded_alike(int a, int b) const {
  std::size_t length_a = 0, length_b = 0;
  const char* text_a = folded_of(a, length_a);
  const char* text_b = folded_of(b, length_b);
  return length_a == length_b && std::memcmp(text_a, text_b, length_a) == 0;
}

int clip_finder::times(int number) const {
  const std::int32_t kept = same(number);
  return kept <= 0 ? 1 - kept : 1;
}

void clip_finder::note_hash(const char* text, std::size_t length) {
  const std::uint32_t hash = record_hash(text, length);
  same(count_) = static_cast<std::int32_t>(hash);
  // The bits are far apart: each record's are fetched while the next ones are folded,
  // and looked at a few records later.
  __builtin_prefetch(&seen_[(hash & seen_mask()) >> 6]);
  constexpr int fetched_ahead = 8;
  while (noted_ < count_ - fetched_ahead) mark_seen(++noted_);
}

std::uint32_t clip_finder::seen_mask() const { return static_cast<std::uint32_t>(seen_.size() * 64 - 1); }

void clip_finder::mark_seen(int number) {
  const std::uint32_t bit = static_cast<std::uint32_t>(same(number)) & seen_mask();
  if (bit_of(seen_, bit)) {
    set_bit(seen_again_, bit);
    ++seen_again_count_;
  } else {
    set_bit(seen_, bit);
  }
}

int clip_finder::older_alike_in_table(int number, std::uint32_t hash) {
  const std::size_t mask = table_.size() - 1;
  std::size_t at = hash & mask;
  // The hash and the folded texts alike, before two records are taken for one.
  while (table_[at].record != 0 &&
         (table_[at].hash != hash || !folded_alike(static_cast<int>(table_[at].record), number)))
    at = (at + 1) & mask;
  const int older = static_cast<int>(table_[at].record);
  table_[at] = {hash, static_cast<std::uint32_t>(number)};
  return older;
}

bool clip_finder::link_slice(std::size_t records) {
  if (table_.empty()) {
    // Only records whose bit was hit twice can hold a text found again; at most twice as
    // many as the second hits, in a table twice that.
    std::size_t size = 1024;
    while (size < 4 * seen_again_count_) size <<= 1;
    table_.assign(size, table_slot{});
  }
  const std::uint32_t mask = seen_mask();
  for (; link_cursor_ <= count_ && records > 0; ++link_cursor_, --records) {
    const auto hash = static_cast<std::uint32_t>(same(link_cursor_));
    take_as_older(link_cursor_, bit_of(seen_again_, hash & mask) ? older_alike_in_table(link_cursor_, hash) : 0);
  }
  return link_cursor_ > count_;
}

int clip_finder::older_alike_by_search(const char* text) {
  if (!read_) return 0;
  if (!older_text_) older_text_.reset(new char[clip_size]);
  const auto same_text = [&](int older) {
    return same(older) <= 0 && folded_alike(older, count_) && read_(older, older_text_.get()) &&
           std::strcmp(older_text_.get(), text) == 0;
  };
  if (count_ > 1 && same_text(1)) return 1;
  // Every other record lies between two zero bytes.
  std::size_t length = 0;
  const char* folded = folded_of(count_, length);
  const std::string needle = std::string(1, '\0') + std::string(folded, length) + '\0';
  const char* base = folded_.get();
  const char* end = base + start(count_);
  for (const char* at = base; at < end;) {
    const char* found = find_bytes(at, end, needle.data(), needle.size());
    if (found == end) break;
    const int older = record_at(static_cast<std::size_t>(found - base) + 1, 1);
    if (same_text(older)) return older;
    at = found + 1;
  }
  return 0;
}

void clip_finder::take_as_older(int number, int older) {
  if (older == 0) {
    same(number) = 0;
    ++distinct_;
    return;
  }
  same(number) = same(older) - 1;
  same(older) = number;
}

std::size_t clip_finder::room_for(std::size_t wanted) {
  const std::size_t ahead = room_ahead(wanted);
  const std::uint64_t read = bytes_read();
  if (!first_build_ || read == 0) return ahead;
  // The files grew while they were read: the whole as folded as what was read of it,
  // and a little more; each time it proves short, an eighth more, so a file unlike its
  // start is moved only a few times.
  const std::uint64_t file = std::min<std::uint64_t>(older_bytes_ + watch_.stamp().size + 1, largest_copy);
  const std::uint64_t like_start = file * folded_size_ / read + file / 128 + 4096;
  const std::uint64_t room = std::max<std::uint64_t>(std::max<std::uint64_t>(like_start, wanted + wanted / 8), ahead);
  return static_cast<std::size_t>(std::min<std::uint64_t>(room, std::max<std::uint64_t>(file, wanted)));
}

void clip_finder::add_record(const char* text) {
  std::size_t length = std::strlen(text);
  const std::size_t offset = folded_size_;
  if (offset + length + 1 > largest_copy) length = 0;
  // Files that grew since they were listed may reach the lane's part.
  if (lane_.running() && offset + length + 1 > older_bytes_ + lane_.first()) lane_.stop();
  if (offset + length + 1 > folded_room_) make_room(room_for(offset + length + 1));
  folded_size_ = offset + fold_record(text, length, folded_.get() + offset);
  folded_before_last_ = offset;
  add_start(offset);
  if (first_build_) {
    note_hash(text, length);
    return;
  }
  ++appended_;
  take_as_older(count_, appended_ <= most_appended ? older_alike_by_search(text) : 0);
}

void clip_finder::add_start(std::size_t offset) {
  const std::size_t block = static_cast<std::size_t>(count_) / block_records;
  if (block == blocks_.size()) {
    blocks_.emplace_back(new std::uint32_t[block_records]);
    same_blocks_.emplace_back(new std::int32_t[block_records]);
  }
  blocks_[block][static_cast<std::size_t>(count_) % block_records] = static_cast<std::uint32_t>(offset);
  ++count_;
}

bool clip_finder::take_lane(std::size_t byte_budget) {
  if (!lane_.finish(lane_wait_ms)) return false;
  // The lane's copy moves down to follow this side's, a step at a time: moving down,
  // each step's bytes lie past all the steps before wrote. Its hashes wait in their
  // places as this side's do, to be looked at with them.
  const std::size_t base = folded_size_;
  const std::size_t step = std::min(lane_.used() - lane_moved_, 4 * std::max<std::size_t>(byte_budget, 1));
  std::memmove(folded_.get() + base + lane_moved_, folded_.get() + older_bytes_ + lane_.first() + lane_moved_, step);
  lane_moved_ += step;
  const std::vector<std::uint32_t>& starts = lane_.starts();
  for (; lane_taken_ < starts.size() && starts[lane_taken_] < lane_moved_; ++lane_taken_) {
    add_start(base + starts[lane_taken_]);
    same(count_) = static_cast<std::int32_t>(lane_.hashes()[lane_taken_]);
  }
  if (lane_moved_ < lane_.used()) return false;
  lane_moved_ = 0;
  lane_taken_ = 0;
  folded_size_ = base + lane_.used();
  if (!starts.empty()) {
    folded_before_last_ = base + starts.back();
    last_start_ = lane_.last_start();
  }
  end_ = lane_.end();
  end_position_ = lane_.end_position();
  lane_.stop();
  read_in_two_ = true;
  return true;
}

std::uint64_t clip_finder::bytes_read() {
  return read_before_ + (older_read_ < older_.size() ? older_stream_.tell() : watch_.stream().tell());
}

bool clip_finder::older_place(int number, std::string& name, int& number_there) const {
  for (const older_file& older : older_)
    if (number >= older.first && number < older.first + older.count) {
      name = older.listed.name;
      number_there = number - older.first + 1;
      return true;
    }
  return false;
}

bool clip_finder::read_older(std::size_t byte_budget) {
  older_file& older = older_[older_read_];
  if (!older_stream_.is_open()) {
    older.first = count_ + 1;
    // A file gone since it was listed holds nothing; the folder tells of it.
    if (!older_stream_.open(older.listed.name.c_str(), open_mode::read_must_exist)) {
      older_stream_.close();
      ++older_read_;
      return true;
    }
  }
  if (!read_records(older_stream_, byte_budget, no_stop)) return false;
  older.count = count_ - older.first + 1;
  read_before_ += older_stream_.tell();
  older_stream_.close();
  ++older_read_;
  older_records_ = count_;
  // Where the history's records end is all that a later look asks.
  end_ = 0;
  last_start_ = 0;
  end_position_ = true;
  return true;
}

bool clip_finder::older_changed() {
  if (older_.empty() && !list_older_) return false;
  const folder_notice::news news = older_notice_.take();
  if (!news.name && !news.contents) return false;
  // The history's own appends are told too: only the older files' listing says. A file
  // changed after it was listed was told of after that, so it is listed again here.
  const std::vector<listed_file> listed = list_older_ ? list_older_() : std::vector<listed_file>{};
  if (listed.size() != older_.size()) return true;
  for (std::size_t i = 0; i < listed.size(); ++i)
    if (!same_listing(listed[i], older_[i].listed)) return true;
  return false;
}

bool clip_finder::read_records(record_stream& reader, std::size_t byte_budget, std::uint64_t stop_at) {
  const std::uint64_t slice_start = reader.tell();
  int counter = count_;
  for (;;) {
    const std::uint64_t at = reader.tell();
    if (at >= stop_at) {
      end_ = at;
      end_position_ = true;
      return true;
    }
    if (at - slice_start >= byte_budget) return false;
    if (read_record_into(reader, counter, record_.get()) != read_result::record) {
      end_ = at;
      end_position_ = true;
      return true;
    }
    last_start_ = at;
    add_record(record_.get());
    if (reader.at_end()) {
      end_ = reader.tell();
      end_position_ = false;
      return true;
    }
  }
}

bool clip_finder::build_slice(std::size_t byte_budget) {
  if (built_) return true;
  if (reading_) {
    // Each older file in a slice of its own, before the history.
    if (older_read_ < older_.size()) {
      read_older(byte_budget);
      return false;
    }
    record_stream& history = watch_.stream();
    if (!read_records(history, byte_budget, lane_.running() ? lane_.first() : no_stop)) return false;
    if (lane_.running()) {
      if (end_ == lane_.first() && !history.at_end()) {
        if (!take_lane(byte_budget)) return false;
        // What the lane left unread, for want of room, is read here.
        if (end_position_) {
          history.seek_record(end_, count_ - older_records_);
          return false;
        }
      } else {
        // A record ran past where the lane started, so no record started there, or the
        // file ended before it: this side reads on alone.
        lane_.stop();
        if (!history.at_end()) return false;
      }
    }
    reading_ = false;
    record_.reset();
    linking_ = first_build_;
    link_cursor_ = 1;
    while (linking_ && noted_ < count_) mark_seen(++noted_);
    // Each step on its own: the reading's last and the linking.
    if (linking_) return false;
  } else if (linking_) {
    if (!link_slice(std::max<std::size_t>(1, byte_budget / 64))) return false;
    linking_ = false;
    drop_table();
  } else {
    return false;
  }
  first_build_ = false;
  built_ = true;
  // The room for the files is given back, but for a little for records appended.
  make_room(room_ahead(folded_size_));
  watch_.accept(end_);
  return true;
}

clip_finder::change clip_finder::refresh(const char* name) {
  if (name_ != name) {
    start_build(name);
    return change::rebuilt;
  }
  if (!built_) return change::none;
  if (older_changed()) {
    start_build(name);
    return change::rebuilt;
  }
  switch (watch_.look()) {
    case file_watch::state::same: return change::none;
    case file_watch::state::changed: start_build(name); return change::rebuilt;
    case file_watch::state::grown: break;
  }
  // The last record ran into the end of the file, so what was added may belong to it.
  // Texts found again and records added past a few are joined only by a copy made anew.
  if (!end_position_ && same(count_) != 0) {
    start_build(name);
    return change::rebuilt;
  }
  // The copy changes under the search, which starts again.
  restart_query();
  if (!end_position_) {
    --count_;
    --distinct_;
    folded_size_ = folded_before_last_;
  }
  record_.reset(new char[clip_size]);
  watch_.stream().seek_record(end_position_ ? end_ : last_start_, count_ - older_records_);
  reading_ = true;
  built_ = false;
  appended_ = 0;
  build_slice(std::numeric_limits<std::size_t>::max());
  answered_ = false;
  if (appended_ > most_appended) {
    start_build(name);
    return change::rebuilt;
  }
  return change::appended;
}

void clip_finder::start_query(const char* query) {
  restart_query();
  query_ = make_search_query(query);
}

void clip_finder::restart_query() {
  stop_query_lane();
  answered_ = false;
  scan_ = query_scan{};
  scan_started_ = false;
}

void clip_finder::begin_scan() {
  scan_started_ = true;
  if (folded_size_ < split_least_ || count_ < 2 || lane_thread::processors() < 2) return;
  // The half after the record the middle byte lies in; no term runs across two records.
  const int split = record_at(folded_size_ / 2, 1) + 1;
  if (split > count_) return;
  lane_scan_ = query_scan{};
  lane_scan_.at = start(split);
  lane_scan_.end = folded_size_;
  lane_scan_.cursor = split;
  lane_scan_stop_ = false;
  // Where this side ends is taken before the lane may move on.
  const std::size_t lane_start = lane_scan_.at;
  // The lane's matches are counted apart from this side's, which lie beside them in
  // memory: a count and a place written on both sides at every match would pass their
  // memory back and forth between the two cores.
  lane_searching_ = query_lane_.start([this] {
    query_scan scan = lane_scan_;
    while (scan.at < scan.end && !lane_scan_stop_.load(std::memory_order_relaxed))
      scan_on(scan, std::size_t{1} << 20);
    lane_scan_ = std::move(scan);
  });
  if (lane_searching_) scan_.end = lane_start;
}

void clip_finder::stop_query_lane() {
  lane_scan_stop_ = true;
  query_lane_.wait(-1);
  lane_searching_ = false;
  lane_scan_ = query_scan{};
}

int clip_finder::record_at(std::size_t at, int from) const {
  // Matches mostly lie a few records on; a far one is found by halving.
  for (int step = 0; step < 8 && from < count_; ++step, ++from)
    if (start(from + 1) > at) return from;
  int low = from;
  int high = count_;
  while (low < high) {
    const int middle = low + (high - low + 1) / 2;
    if (start(middle) <= at)
      low = middle;
    else
      high = middle - 1;
  }
  return low;
}

bool clip_finder::query_slice(std::size_t byte_budget) {
  if (answered_) return true;
  if (!built_) return false;
  if (query_.terms.empty()) {
    scan_.count = distinct_;
    answered_ = true;
    return true;
  }
  if (!scan_started_) begin_scan();
  // Records added since are searched too, as long as no lane took the later half.
  if (!lane_searching_) scan_.end = folded_size_;
  scan_on(scan_, byte_budget);
  if (scan_.at < scan_.end) return false;
  if (lane_searching_) {
    if (!query_lane_.wait(lane_wait_ms)) return false;
    // The half beside holds the newer records.
    scan_.count += lane_scan_.count;
    for (const int record : lane_scan_.kept) keep_match(scan_.kept, record);
    lane_searching_ = false;
    lane_scan_ = query_scan{};
  }
  answered_ = true;
  return true;
}

void clip_finder::scan_on(query_scan& scan, std::size_t byte_budget) const {
  const search_term& primary = query_.terms[query_.primary];
  const std::size_t length = primary.folded.size();
  const std::size_t limit = std::min(scan.end, scan.at + byte_budget);
  const char* base = folded_.get();
  while (scan.at < limit) {
    // Only starts before the limit are this step's; the rest is searched next time.
    const char* region_end = base + std::min(scan.end, limit + length - 1);
    const char* found = find_bytes(base + scan.at, region_end, primary.folded.data(), length);
    if (found == region_end) {
      scan.at = limit;
      break;
    }
    const int record = record_at(static_cast<std::size_t>(found - base), scan.cursor);
    const std::size_t record_end = record < count_ ? start(record + 1) - 1 : folded_size_ - 1;
    if (same(record) <= 0 && holds_terms(base + start(record), base + record_end, query_)) {
      ++scan.count;
      keep_match(scan.kept, record);
    }
    scan.at = record_end + 1;
    scan.cursor = record + 1;
  }
}

std::vector<int> clip_finder::newest_matches() const {
  std::vector<int> newest;
  if (query_.terms.empty()) {
    for (int n = count_; n >= 1 && newest.size() < static_cast<std::size_t>(most_kept); --n)
      if (same(n) <= 0) newest.push_back(n);
    return newest;
  }
  for (auto it = scan_.kept.rbegin(); it != scan_.kept.rend() && newest.size() < static_cast<std::size_t>(most_kept); ++it)
    newest.push_back(*it);
  return newest;
}

std::size_t clip_finder::memory_bytes() const {
  std::size_t bytes = folded_room_ + blocks_.size() * block_records * sizeof(std::uint32_t);
  bytes += same_blocks_.size() * block_records * sizeof(std::int32_t);
  bytes += table_.capacity() * sizeof(table_slot);
  bytes += (seen_.capacity() + seen_again_.capacity()) * sizeof(std::uint64_t);
  if (older_text_) bytes += clip_size;
  bytes += scan_.kept.capacity() * sizeof(int);
  if (record_) bytes += clip_size;
  return bytes;
}
