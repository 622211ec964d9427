// Record files: every store of texts is a sequence of records, each followed by the
// record separator. Files are read and written with our own text-mode translation
// (LF <-> CR LF) so they read the same on every platform.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "history/file_ops.h"
#include "settings/settings_values.h"

constexpr int clip_size = 20480;  // clip-sized text field, terminator included
extern char clip_text[clip_size];


enum class open_mode {
  read,             // created empty when missing, from the first byte
  read_must_exist,  // fails when missing
  read_write_end,   // created when missing, contents kept, at the end
  append,           // created when missing, writes go to the end
  rewrite,          // created or truncated to empty
};

enum class read_result { record, end_reached, end_already_reached };

// A file stream with the text-mode translation. Closed when destroyed, which is what
// closes the long-lived streams at process exit.
class record_stream {
 public:
  record_stream() = default;
  record_stream(const record_stream&) = delete;
  record_stream& operator=(const record_stream&) = delete;
  ~record_stream() { close(); }

  bool open(const char* name, open_mode mode);
  // False when buffered bytes could not be written out.
  bool close();
  bool is_open() const { return file_ != nullptr; }
  // Which file the stream has open, and its state now.
  bool stamp(file_stamp& out) const { return stamp_of_stream(file_, out); }
  bool size_and_time(file_stamp& out) const { return size_and_time_of_stream(file_, out); }
  // Reads length raw bytes from offset into out; records are read again only after a
  // seek_record().
  bool read_raw_at(std::uint64_t offset, char* out, std::size_t length);
  // Next byte with CR LF taken as LF and a Ctrl+Z that ends the file taken as the end.
  int get();
  int peek();
  bool at_end() const { return ended_; }
  bool failed() const { return file_ == nullptr; }
  void mark_ended() { ended_ = true; }
  // Raw offset in the file of the next byte get() hands out.
  std::uint64_t tell() const;
  // Puts the reader at offset, a record start an earlier read of the same file found,
  // with `records` records before it.
  bool seek_record(std::uint64_t offset, int records);
  // Records read since the stream was opened or set at a record start.
  int records_read() const { return records_read_; }
  void count_record() { ++records_read_; }
  // Takes a whole record, text (into out, unless out is null) and separator, when all of
  // it lies in the read buffer and nothing about it needs the byte-by-byte rules; false,
  // having taken nothing, otherwise.
  bool take_whole_record(const char* separator, char* out);
  // Takes whole records the same way, text left behind, as many as lie in the read buffer
  // up to most, and counts them; the raw offset each starts at goes to starts. Returns
  // how many were taken.
  std::size_t take_whole_records(const char* separator, std::uint64_t* starts, std::size_t most);
  // Writes bytes with each LF stored as CR LF; false when not all of them were taken.
  bool write(const char* bytes, std::size_t length);
  // False when something written since the last flush did not reach the file.
  bool flush();

 private:
  int raw_get();
  int translated_get();
  // Forgets all that was read ahead: the next byte is the one at offset.
  void start_reading_at(std::uint64_t offset, int records, std::size_t first_read);
  std::FILE* file_ = nullptr;
  char name_[260] = "";  // for the test seam's faults
  bool ended_ = false;
  int records_read_ = 0;
  int raw_ahead_ = -2;     // raw byte read while looking past CR or Ctrl+Z; -2 for none
  // Reading byte by byte through stdio costs a lock per byte, and the history is read
  // from the top at start-up, so reads go through a buffer of our own.
  static constexpr std::size_t read_buffer_size = 65536;
  unsigned char read_buffer_[read_buffer_size];
  std::uint64_t buffer_offset_ = 0;  // raw offset of read_buffer_[0]
  std::size_t read_pos_ = 0;
  std::size_t read_length_ = 0;
  // A reader set at a record mostly reads that one record: its first fill is small.
  static constexpr std::size_t first_read_after_seek = 4096;
  std::size_t next_read_ = read_buffer_size;
  int peeked_ = -2;        // translated byte handed out by peek(); -2 for none
  std::uint64_t peeked_offset_ = 0;
};

// Reads the next record into clip_text; raises counter by 1 when a record was read.
read_result read_record(record_stream& stream, int& counter);
// The same into out (clip_size bytes), or only past the record when out is null.
read_result read_record_into(record_stream& stream, int& counter, char* out);
// Writes text and the separator; no flush. False when not all bytes were taken.
bool write_record(record_stream& stream, const char* text);
// Number of records in a file (0 for a missing one, which is created).
int count_records(const char* name);
