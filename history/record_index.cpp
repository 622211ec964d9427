#include "history/record_index.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "history/file_ops.h"
#include "text/file_names.h"

void record_index::clear() {
  blocks_.clear();
  count_ = 0;
  end_position_ = true;
  end_ = 0;
  size_ = 0;
  name_.clear();
  watch_.stop();
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

void record_index::scan(std::uint64_t from) {
  record_stream& reader = watch_.stream();
  file_stamp now = watch_.stamp();
  reader.size_and_time(now);
  const std::uint64_t size = now.size;
  size_ = size;
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
  watch_.accept(end_);
}

bool record_index::is_current(const char* name) {
  return name_ == name && watch_.look() == file_watch::state::same;
}

void record_index::build(const char* name) {
  clear();
  name_ = name;
  watch_.start(name);
  ++generation_;
  scan(0);
}

void record_index::take_copy(record_index& copy, const char* name) {
  clear();
  ++generation_;
  const file_stamp made = copy.stamp();
  blocks_ = std::move(copy.blocks_);
  count_ = copy.count_;
  end_position_ = copy.end_position_;
  end_ = copy.end_;
  size_ = copy.size_;
  copy.clear();
  name_ = name;
  watch_.start(name);
  if (!same_state(watch_.stamp(), made)) {
    build(name);
    return;
  }
  watch_.accept(end_);
}

void record_index::refresh(const char* name) {
  // Another program's change, even one that only seems to add, may have edited what
  // lies before: only a new pass is sure.
  if (!is_current(name)) build(name);
}

void record_index::take_own_append(const char* name) {
  if (name_ != name) {
    build(name);
    return;
  }
  switch (watch_.look()) {
    case file_watch::state::same: return;
    case file_watch::state::changed: build(name); return;
    case file_watch::state::grown: break;
  }
  // The last record ran into the end of the file, so what was added may belong to it.
  if (!end_position_) {
    --count_;
    scan(count_ == 0 ? 0 : start(count_ + 1));
    return;
  }
  scan(end_);
}

void record_index::forget_trailing_mark() {
  if (size_ == 0 || end_ != size_ - 1) return;
  size_ = end_;
  // The cut changed the time too; the index holds for the file as it now is.
  watch_.accept(end_);
}

std::size_t record_index::memory_bytes() const { return blocks_.size() * block_records * sizeof(std::uint64_t); }

bool record_index::seek_after(record_stream& reader, int number) const {
  if (number < 0 || number >= count_) return false;
  return reader.seek_record(number == 0 ? 0 : start(number + 1), number);
}

bool read_numbered_record(const record_index& index, record_stream& reader, int number, char* out) {
  if (!index.seek_after(reader, number - 1)) return false;
  int counter = number - 1;
  return read_record_into(reader, counter, out) == read_result::record;
}

bool record_index::read(int number, char* out) {
  record_stream& reader = watch_.stream();
  return reader.is_open() && read_numbered_record(*this, reader, number, out);
}
