#include "history/record_index.h"

#include <algorithm>
#include <cstdio>

#include "history/file_ops.h"
#include "text/file_names.h"

void record_index::clear() {
  blocks_.clear();
  count_ = 0;
  end_position_ = true;
  end_ = 0;
  size_ = 0;
  name_.clear();
  stamp_ = file_stamp{};
  tail_.clear();
}

void record_index::push(std::uint64_t offset) {
  const std::size_t block = static_cast<std::size_t>(count_) / block_records;
  if (block == blocks_.size()) blocks_.emplace_back(new std::uint64_t[block_records]);
  blocks_[block][static_cast<std::size_t>(count_) % block_records] = offset;
  ++count_;
}

std::uint64_t record_index::start(int number) const {
  const std::size_t at = static_cast<std::size_t>(number - 1);
  return blocks_[at / block_records][at % block_records];
}

void record_index::scan(const char* name, std::uint64_t from) {
  record_stream reader;
  reader.open(name, open_mode::read);
  stamp_ = file_stamp{};
  reader.stamp(stamp_);
  const std::uint64_t size = stamp_.size;
  size_ = size;
  name_ = name;
  end_position_ = true;
  end_ = from;
  if (reader.seek_record(from, count_)) {
    int counter = count_;
    for (;;) {
      // Most records lie whole in the read buffer: they are taken in runs, and only the
      // others go through the reader's byte rules one by one.
      std::uint64_t starts[512];
      const std::size_t taken = reader.take_whole_records(record_separator, starts, 512);
      for (std::size_t i = 0; i < taken; ++i) push(starts[i]);
      if (taken > 0) continue;
      const std::uint64_t at = reader.tell();
      if (read_record_into(reader, counter, nullptr) != read_result::record) {
        end_ = at;
        break;
      }
      push(at);
      if (reader.at_end()) {
        end_position_ = false;
        end_ = size;
        break;
      }
    }
  }
  tail_ = tail_now(name);
}

std::string record_index::tail_now(const char* name) const {
  const std::uint64_t from = end_ > tail_bytes ? end_ - tail_bytes : 0;
  std::string bytes(static_cast<std::size_t>(end_ - from), '\0');
  std::FILE* file = bytes.empty() ? nullptr : open_file(name, "rb");
  if (file == nullptr) return bytes.empty() ? bytes : std::string();
  const bool read = seek_stream(file, from) && std::fread(&bytes[0], 1, bytes.size(), file) == bytes.size();
  std::fclose(file);
  return read ? bytes : std::string();
}

bool record_index::is_current(const char* name, const record_stream* reader) const {
  file_stamp now;
  if (name_ != name || !stamp_of_path(name, now) || !same_state(now, stamp_)) return false;
  file_stamp open;
  if (reader != nullptr && !(reader->stamp(open) && same_file(open, now))) return false;
  return tail_now(name) == tail_;
}

void record_index::build(const char* name) {
  clear();
  scan(name, 0);
}

void record_index::refresh(const char* name) {
  // Another program's change, even one that only seems to add, may have edited what
  // lies before: only a new pass is sure. Bytes changed within one tick of the clock
  // show in the tail.
  if (!is_current(name, nullptr)) build(name);
}

void record_index::take_own_append(const char* name) {
  file_stamp now;
  if (!(stamp_of_path(name, now) && name_ == name && same_file(now, stamp_) && now.size >= size_ &&
        tail_now(name) == tail_)) {
    build(name);
    return;
  }
  if (now.size == size_) {
    stamp_ = now;
    return;
  }
  // The last record ran into the end of the file, so what was added may belong to it.
  if (!end_position_) {
    --count_;
    scan(name, count_ == 0 ? 0 : start(count_ + 1));
    return;
  }
  scan(name, end_);
}

void record_index::forget_trailing_mark() {
  if (size_ == 0 || end_ != size_ - 1) return;
  size_ = end_;
  // The cut changed the time too; the index holds for the file as it now is.
  file_stamp now;
  if (stamp_of_path(name_.c_str(), now) && now.size == size_) stamp_ = now;
}

std::size_t record_index::memory_bytes() const { return blocks_.size() * block_records * sizeof(std::uint64_t); }

bool record_index::seek_after(record_stream& reader, int number) const {
  if (number < 0 || number >= count_) return false;
  return reader.seek_record(number == 0 ? 0 : start(number + 1), number);
}
