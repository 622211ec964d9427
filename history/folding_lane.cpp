#include "history/folding_lane.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "history/record_file.h"
#include "text/search_fold.h"

namespace {

constexpr std::size_t looked_ahead = 1 << 16;
constexpr unsigned char ctrl_z = 0x1A;

// Where the first record after raw offset near starts, as far as the bytes tell: after
// a stop byte, which no double-byte character holds, and what goes with it.
bool record_start_after(record_stream& reader, std::uint64_t near, std::uint64_t size, std::uint64_t& found) {
  if (near >= size) return false;
  const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(looked_ahead, size - near));
  std::unique_ptr<char[]> bytes(new char[length]);
  if (!reader.read_raw_at(near, bytes.get(), length)) return false;
  const char stop = record_separator[0];
  const bool bell = stop == '\a' && std::strlen(record_separator) == 2;
  if (!bell && !(stop == '\n' && record_separator[1] == '\0')) return false;
  for (std::size_t at = 0; at + 2 < length; ++at) {
    if (bytes[at] != stop) continue;
    std::size_t next = at + 1;
    if (bell) {
      const auto after = static_cast<unsigned char>(bytes[next]);
      if (after == '\r' && bytes[next + 1] == '\n')
        next += 2;
      else if (after != '\r' && after != ctrl_z)
        next += 1;
      else
        continue;
    }
    found = near + next;
    return true;
  }
  return false;
}

}  // namespace

std::size_t fold_record(const char* text, std::size_t length, char* out) {
  const std::size_t folded = fold_for_search(text, length, out);
  out[folded] = '\0';
  return folded + 1;
}

// Eight bytes at a time: the copy is made at the speed of reading the file.
std::uint32_t record_hash(const char* text, std::size_t length) {
  std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ length;
  std::size_t at = 0;
  for (; at + 8 <= length; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text + at, 8);
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 29;
  }
  std::uint64_t rest = 0;
  std::memcpy(&rest, text + at, length - at);
  hash = (hash ^ rest) * 0xC4CEB9FE1A85EC53ull;
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

bool folding_lane::start(const char* name, const file_stamp& stamp, std::uint64_t near, char* copy,
                         std::size_t room) {
  stop();
  // The lane reads through this very opening: the name may stand for another file by
  // the time a later one is made.
  reader_.reset(new record_stream);
  file_stamp opened;
  if (!reader_->open(name, open_mode::read_must_exist) || !reader_->stamp(opened)) return false;
  // Another file's bytes would not join the finder's.
  if (opened.volume != stamp.volume || opened.file_id != stamp.file_id) return false;
  if (!record_start_after(*reader_, near, opened.size, first_) || first_ >= room) return false;
  stop_asked_ = false;
  char* out = copy + first_;
  const std::size_t out_room = static_cast<std::size_t>(room - first_);
  started_ = thread_.start([this, out, out_room] { read(out, out_room); });
  return started_;
}

void folding_lane::read(char* out, std::size_t room) {
  // Counted in this thread's own memory and handed over at the end: the members lie
  // beside the finder's own counts, which its thread writes at every record.
  record_stream& reader = *reader_;
  std::unique_ptr<char[]> text(new char[clip_size]);
  std::vector<std::uint32_t> starts, hashes;
  std::size_t used = 0;
  std::uint64_t end = first_, last_start = 0;
  bool end_position = true;
  int counter = 0;
  if (reader.seek_record(first_, 0)) {
    while (!stop_asked_.load(std::memory_order_relaxed)) {
      const std::uint64_t at = reader.tell();
      end = at;
      if (read_record_into(reader, counter, text.get()) != read_result::record) break;
      const std::size_t length = std::strlen(text.get());
      // The finder reads on from here itself.
      if (used + length + 1 > room) break;
      last_start = at;
      starts.push_back(static_cast<std::uint32_t>(used));
      hashes.push_back(record_hash(text.get(), length));
      used += fold_record(text.get(), length, out + used);
      if (reader.at_end()) {
        end = reader.tell();
        end_position = false;
        break;
      }
    }
  }
  starts_ = std::move(starts);
  hashes_ = std::move(hashes);
  used_ = used;
  end_ = end;
  last_start_ = last_start;
  end_position_ = end_position;
}

bool folding_lane::finish(int milliseconds) { return thread_.wait(milliseconds); }

void folding_lane::stop() {
  if (thread_.running()) {
    stop_asked_ = true;
    thread_.wait(-1);
  }
  started_ = false;
  reader_.reset();
  std::vector<std::uint32_t>().swap(starts_);
  std::vector<std::uint32_t>().swap(hashes_);
  used_ = 0;
  end_ = last_start_ = 0;
  end_position_ = true;
}
