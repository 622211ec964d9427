// The later part of a long history, read and folded on a thread of its own while the
// finder reads the part before it, so that the copy of a long history is made on two
// cores. The part starts where a record seems to start; only the finder, reading on
// to that place, can tell whether one does, and it takes the lane's work only then.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "history/file_ops.h"
#include "history/lane_thread.h"
#include "history/record_file.h"

// The folded form of a record's text as the finder keeps it, followed by a zero byte so
// no term runs across two records; returns the bytes written.
std::size_t fold_record(const char* text, std::size_t length, char* out);
// The hash that tells the finder which records may hold the same text.
std::uint32_t record_hash(const char* text, std::size_t length);

class folding_lane {
 public:
  folding_lane() = default;
  folding_lane(const folding_lane&) = delete;
  folding_lane& operator=(const folding_lane&) = delete;
  ~folding_lane() { stop(); }

  // Starts reading name, the file stamped, from the first record start found after raw
  // offset near to the file's end. Each record is folded into copy from the place of
  // its raw offset on: a part is never longer folded than raw, so the part before it
  // has room below. Reading stops early when copy's room bytes are full. False, with
  // nothing started, when no record start is found or the name stands for another file.
  bool start(const char* name, const file_stamp& stamp, std::uint64_t near, char* copy, std::size_t room);
  // Started and not stopped, ended or not.
  bool running() const { return started_; }
  // Raw offset of the lane's first record.
  std::uint64_t first() const { return first_; }
  // Waits up to milliseconds for the lane to end; true when it has, and its results
  // below stand.
  bool finish(int milliseconds);
  // Makes the lane end at once and forgets its work.
  void stop();

  // What the lane read, once it has ended: for each record, where its folded text starts
  // from the lane's first record's place in copy, and its hash; the bytes of copy used;
  // where reading ended, as the finder keeps it.
  const std::vector<std::uint32_t>& starts() const { return starts_; }
  const std::vector<std::uint32_t>& hashes() const { return hashes_; }
  std::size_t used() const { return used_; }
  std::uint64_t end() const { return end_; }
  std::uint64_t last_start() const { return last_start_; }
  bool end_position() const { return end_position_; }

 private:
  void read(char* out, std::size_t room);
  std::unique_ptr<record_stream> reader_;
  lane_thread thread_;
  std::atomic<bool> stop_asked_{false};
  bool started_ = false;
  std::uint64_t first_ = 0;
  std::vector<std::uint32_t> starts_, hashes_;
  std::size_t used_ = 0;
  std::uint64_t end_ = 0, last_start_ = 0;
  bool end_position_ = true;
};
