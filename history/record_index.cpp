#include "history/record_index.h"

#include "history/file_ops.h"

void record_index::clear() {
  blocks_.clear();
  count_ = 0;
  end_position_ = true;
  end_ = 0;
  size_ = 0;
  name_.clear();
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
  std::uint64_t size = 0;
  file_size_of(name, size);
  size_ = size;
  name_ = name;
  end_position_ = true;
  end_ = from;
  if (!reader.seek_record(from, count_)) return;
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
      return;
    }
    push(at);
    if (reader.at_end()) {
      end_position_ = false;
      end_ = size;
      return;
    }
  }
}

void record_index::build(const char* name) {
  clear();
  scan(name, 0);
}

void record_index::refresh(const char* name) {
  std::uint64_t size = 0;
  file_size_of(name, size);
  if (name_ != name || size < size_) {
    build(name);
    return;
  }
  if (size == size_) return;
  // The last record ran into the end of the file, so what was added may belong to it.
  if (!end_position_) {
    --count_;
    scan(name, count_ == 0 ? 0 : start(count_ + 1));
    return;
  }
  scan(name, end_);
}

void record_index::forget_trailing_mark() {
  if (size_ > 0 && end_ == size_ - 1) size_ = end_;
}

std::size_t record_index::memory_bytes() const { return blocks_.size() * block_records * sizeof(std::uint64_t); }

bool record_index::seek_after(record_stream& reader, int number) const {
  if (number < 0 || number >= count_) return false;
  return reader.seek_record(number == 0 ? 0 : start(number + 1), number);
}
