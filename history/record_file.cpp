#include "history/record_file.h"

#include <cstring>
#include <string>

#include "history/file_ops.h"
#include "text/file_faults.h"
#include "text/search_fold.h"
#include "text/file_names.h"

char clip_text[clip_size];

namespace {
constexpr int no_byte = -2;
constexpr int ctrl_z = 0x1A;

const char* fopen_mode(open_mode mode) {
  switch (mode) {
    case open_mode::read:
    case open_mode::read_must_exist: return "rb";
    case open_mode::read_write_end: return "a+b";
    case open_mode::append: return "ab";
    case open_mode::rewrite: return "wb";
  }
  return "rb";
}
}  // namespace

bool record_stream::open(const char* name, open_mode mode) {
  close();
  std::snprintf(name_, sizeof name_, "%s", name);
  const bool writes = mode != open_mode::read && mode != open_mode::read_must_exist;
  if (writes && file_fault(file_step::open, name)) return false;
  if (mode == open_mode::read) {
    // A reading opening creates a missing file, so it reads as empty.
    if (std::FILE* created = open_file(name, "ab")) std::fclose(created);
  }
  file_ = writes ? open_file(name, fopen_mode(mode)) : open_for_reading(name);
  // Reads go through our own buffer; one in stdio too could hand out bytes from before
  // a seek that the file no longer holds (glibc keeps its buffer over a seek within it).
  if (file_ != nullptr && !writes) std::setvbuf(file_, nullptr, _IONBF, 0);
  return file_ != nullptr;
}

bool record_stream::close() {
  bool closed = true;
  if (file_) closed = std::fclose(file_) == 0 && !file_fault(file_step::close, name_);
  file_ = nullptr;
  start_reading_at(0, 0, read_buffer_size);
  return closed;
}

void record_stream::start_reading_at(std::uint64_t offset, int records, std::size_t first_read) {
  ended_ = false;
  records_read_ = records;
  raw_ahead_ = no_byte;
  peeked_ = no_byte;
  buffer_offset_ = offset;
  read_pos_ = 0;
  read_length_ = 0;
  next_read_ = first_read;
}

int record_stream::raw_get() {
  if (raw_ahead_ != no_byte) {
    int c = raw_ahead_;
    raw_ahead_ = no_byte;
    return c;
  }
  if (read_pos_ == read_length_) {
    buffer_offset_ += read_length_;
    read_length_ = std::fread(read_buffer_, 1, next_read_, file_);
    next_read_ = read_buffer_size;
    read_pos_ = 0;
    if (read_length_ == 0) return EOF;
  }
  return read_buffer_[read_pos_++];
}

int record_stream::translated_get() {
  int c = raw_get();
  if (c == '\r') {
    int next = raw_get();
    if (next == '\n') return '\n';
    raw_ahead_ = next;
  } else if (c == ctrl_z) {
    // Only a Ctrl+Z that ends the file is the old end-of-data mark; inside a clip it
    // is an ordinary byte and must not hide the records after it.
    int next = raw_get();
    if (next == EOF) return EOF;
    raw_ahead_ = next;
  }
  return c;
}

int record_stream::get() {
  if (!file_) return EOF;
  if (peeked_ != no_byte) {
    int c = peeked_;
    peeked_ = no_byte;
    return c;
  }
  return translated_get();
}

int record_stream::peek() {
  if (!file_) return EOF;
  if (peeked_ == no_byte) {
    peeked_offset_ = tell();
    peeked_ = translated_get();
  }
  return peeked_;
}

std::uint64_t record_stream::tell() const {
  if (peeked_ != no_byte) return peeked_offset_;
  // A byte read ahead has been taken from the buffer but not yet handed out.
  return buffer_offset_ + read_pos_ - (raw_ahead_ >= 0 ? 1 : 0);
}

bool record_stream::seek_record(std::uint64_t offset, int records) {
  if (!file_ || !seek_stream(file_, offset)) return false;
  start_reading_at(offset, records, first_read_after_seek);
  return true;
}

bool record_stream::read_raw_at(std::uint64_t offset, char* out, std::size_t length) {
  if (!file_ || !seek_stream(file_, offset)) return false;
  const bool read = std::fread(out, 1, length, file_) == length;
  start_reading_at(offset + length, 0, read_buffer_size);
  return read;
}

bool record_stream::take_whole_record(const char* separator, char* out) {
  if (!file_ || peeked_ != no_byte || raw_ahead_ != no_byte) return false;
  const unsigned char stop = static_cast<unsigned char>(separator[0]);
  const std::size_t skip = std::strlen(separator);
  // Only the two separators the files use: BEL LF (stop on BEL) and LF.
  if (!((stop == '\a' && skip == 2) || (stop == '\n' && skip == 1))) return false;
  const unsigned char* start = read_buffer_ + read_pos_;
  const std::size_t left = read_length_ - read_pos_;
  // Raw bytes are never fewer than the bytes they read as, so a stop byte found within
  // the record length limit ends the record before the limit could cut it.
  const std::size_t span = left < static_cast<std::size_t>(clip_size - 1) ? left : clip_size - 1;
  // The finder's byte search: the platform's memchr may go a byte at a time.
  const char* from = reinterpret_cast<const char*>(start);
  const char stop_byte = static_cast<char>(stop);
  const auto* found = reinterpret_cast<const unsigned char*>(find_bytes(from, from + span, &stop_byte, 1));
  if (found == start + span) return false;
  std::size_t text = static_cast<std::size_t>(found - start);
  std::size_t at = text + 1;
  // A line feed that stops a record may be the second half of a CR LF pair.
  if (stop == '\n' && text > 0 && start[text - 1] == '\r') --text;
  // Text with a CR in it reads otherwise than it lies; that is left to the byte rules.
  const char carriage_return = '\r';
  if (out != nullptr && find_bytes(from, from + text, &carriage_return, 1) != from + text) return false;
  if (stop == '\a') {
    // The byte after BEL goes with it: CR LF as one, any other byte alone.
    if (at + 1 >= left) return false;
    if (start[at] == '\r' && start[at + 1] == '\n')
      at += 2;
    else if (start[at] != '\r' && start[at] != 0x1A)
      at += 1;
    else
      return false;
  }
  if (out != nullptr) {
    std::memcpy(out, start, text);
    out[text] = '\0';
  }
  read_pos_ += at;
  return true;
}

std::size_t record_stream::take_whole_records(const char* separator, std::uint64_t* starts, std::size_t most) {
  std::size_t taken = 0;
  while (taken < most) {
    const std::uint64_t at = buffer_offset_ + read_pos_;
    if (!take_whole_record(separator, nullptr)) break;
    starts[taken++] = at;
  }
  records_read_ += static_cast<int>(taken);
  return taken;
}

bool record_stream::write(const char* bytes, std::size_t length) {
  if (!file_) return false;
  std::string stored;
  stored.reserve(length + length / 16 + 2);
  for (std::size_t i = 0; i < length; ++i) {
    if (bytes[i] == '\n') stored += '\r';
    stored += bytes[i];
  }
  // A failing write takes half the bytes, as a disk that fills up does.
  const std::size_t taken = file_fault(file_step::write, name_) ? stored.size() / 2 : stored.size();
  return std::fwrite(stored.data(), 1, taken, file_) == stored.size();
}

bool record_stream::flush() {
  if (!file_) return false;
  // A failing flush leaves the bytes in the stream, as a full disk does.
  const bool written = !file_fault(file_step::flush, name_) && std::fflush(file_) == 0 && !std::ferror(file_);
  std::clearerr(file_);
  return written;
}

read_result read_record_into(record_stream& stream, int& counter, char* out) {
  if (stream.failed() || stream.at_end()) return read_result::end_already_reached;
  const unsigned char stop = static_cast<unsigned char>(record_separator[0]);
  int length = 0;
  bool file_ended = false;
  // Most records lie whole in the read buffer: found at once, copied in one go.
  if (stream.take_whole_record(record_separator, out)) {
    ++counter;
    stream.count_record();
    return read_result::record;
  }
  while (length < clip_size - 1) {
    int c = stream.peek();
    if (c == EOF) {
      file_ended = true;
      break;
    }
    if (c == stop) break;
    c = stream.get();
    if (out != nullptr) out[length] = static_cast<char>(c);
    ++length;
  }
  if (out != nullptr) out[length] = '\0';
  if (file_ended && length == 0) {
    stream.mark_ended();
    return read_result::end_reached;
  }
  const size_t skip = std::strlen(record_separator);
  for (size_t i = 0; i < skip; ++i) {
    if (stream.get() == EOF) {
      stream.mark_ended();
      break;
    }
  }
  ++counter;
  stream.count_record();
  return read_result::record;
}

read_result read_record(record_stream& stream, int& counter) { return read_record_into(stream, counter, clip_text); }

bool write_record(record_stream& stream, const char* text) {
  const bool text_written = stream.write(text, std::strlen(text));
  return stream.write(record_separator, std::strlen(record_separator)) && text_written;
}

int count_records(const char* name) {
  record_stream reader;
  reader.open(name, open_mode::read);
  int count = 0;
  while (read_record(reader, count) == read_result::record) {
  }
  return count;
}
