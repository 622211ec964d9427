#include "history/record_file.h"

#include <cstring>

char clip_text[clip_size];
char record_separator[separator_size] = "\a\n";

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
  if (mode == open_mode::read) {
    // A reading opening creates a missing file, so it reads as empty.
    if (std::FILE* created = std::fopen(name, "ab")) std::fclose(created);
  }
  file_ = std::fopen(name, fopen_mode(mode));
  return file_ != nullptr;
}

void record_stream::close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  ended_ = false;
  raw_ahead_ = no_byte;
  peeked_ = no_byte;
  read_pos_ = 0;
  read_length_ = 0;
}

int record_stream::raw_get() {
  if (raw_ahead_ != no_byte) {
    int c = raw_ahead_;
    raw_ahead_ = no_byte;
    return c;
  }
  if (read_pos_ == read_length_) {
    read_length_ = std::fread(read_buffer_, 1, read_buffer_size, file_);
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
  if (peeked_ == no_byte) peeked_ = translated_get();
  return peeked_;
}

void record_stream::write(const char* bytes, size_t length) {
  if (!file_) return;
  size_t start = 0;
  for (size_t i = 0; i < length; ++i) {
    if (bytes[i] == '\n') {
      std::fwrite(bytes + start, 1, i - start, file_);
      std::fputs("\r\n", file_);
      start = i + 1;
    }
  }
  std::fwrite(bytes + start, 1, length - start, file_);
}

bool record_stream::flush() {
  if (!file_) return false;
  const bool written = std::fflush(file_) == 0 && !std::ferror(file_);
  std::clearerr(file_);
  return written;
}

read_result read_record(record_stream& stream, int& counter) {
  if (stream.failed() || stream.at_end()) return read_result::end_already_reached;
  const unsigned char stop = static_cast<unsigned char>(record_separator[0]);
  int length = 0;
  bool file_ended = false;
  while (length < clip_size - 1) {
    int c = stream.peek();
    if (c == EOF) {
      file_ended = true;
      break;
    }
    if (c == stop) break;
    clip_text[length++] = static_cast<char>(stream.get());
  }
  clip_text[length] = '\0';
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
  return read_result::record;
}

void write_record(record_stream& stream, const char* text) {
  stream.write(text, std::strlen(text));
  stream.write(record_separator, std::strlen(record_separator));
}

int count_records(const char* name) {
  record_stream reader;
  reader.open(name, open_mode::read);
  int count = 0;
  while (read_record(reader, count) == read_result::record) {
  }
  return count;
}
