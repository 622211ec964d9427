#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "history/history_streams.h"
#include "history/record_file.h"
#include "tests/support/scratch_dir.h"

namespace {

struct read_all_result {
  std::vector<std::string> records;
  std::string last_text;  // clip_text after the call that reported the end
};

read_all_result read_all(const char* name) {
  record_stream stream;
  stream.open(name, open_mode::read);
  read_all_result result;
  int counter = 0;
  while (read_record(stream, counter) == read_result::record) result.records.emplace_back(clip_text);
  result.last_text = clip_text;
  EXPECT_EQ(counter, static_cast<int>(result.records.size()));
  return result;
}

class record_file_test : public scratch_dir_test {
 protected:
  void SetUp() override {
    scratch_dir_test::SetUp();
    std::snprintf(record_separator, sizeof record_separator, "%s", "\a\n");
  }
  void TearDown() override {
    std::snprintf(record_separator, sizeof record_separator, "%s", "\a\n");
    scratch_dir_test::TearDown();
  }
  void use_return_mode() { std::snprintf(record_separator, sizeof record_separator, "%s", "\n"); }
};

TEST_F(record_file_test, missing_file_is_created_empty_and_has_no_records) {
  EXPECT_EQ(count_records("none.txt"), 0);
  EXPECT_TRUE(file_exists("none.txt"));
  EXPECT_EQ(read_file("none.txt"), "");
}

// What the writer puts on disk for each separator, and what the reader makes of it again.
TEST_F(record_file_test, written_records_reach_the_disk_separated_and_read_back) {
  struct row {
    const char* separator;
    std::vector<std::string> written;
    std::string disk;
    std::vector<std::string> read_back;
  };
  const row rows[] = {
      {"\a\n", {"a", "b"}, "a\a\r\nb\a\r\n", {"a", "b"}},
      // Line breaks inside a clip survive in the default mode; a Ctrl+Z inside hides nothing.
      {"\a\n", {"x\r\ny\rz\n"}, "x\r\r\ny\rz\r\n\a\r\n", {"x\r\ny\rz\n"}},
      {"\a\n", {"a\x1a" "b", "later"}, "a\x1a" "b\a\r\nlater\a\r\n", {"a\x1a" "b", "later"}},
      // The return mode splits a multi-line clip into records.
      {"\n", {"x\r\ny"}, "x\r\r\ny\r\n", {"x\r", "y"}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(testing::PrintToString(r.disk));
    std::snprintf(record_separator, sizeof record_separator, "%s", r.separator);
    {
      record_stream out;
      ASSERT_TRUE(out.open("f.txt", open_mode::rewrite));
      for (const std::string& text : r.written) write_record(out, text.c_str());
    }
    EXPECT_EQ(read_file("f.txt"), r.disk);
    const read_all_result all = read_all("f.txt");
    EXPECT_EQ(all.records, r.read_back);
    EXPECT_EQ(all.last_text, "");
    EXPECT_EQ(count_records("f.txt"), static_cast<int>(r.read_back.size()));
  }
}

// Files written by older versions or other programs.
TEST_F(record_file_test, reads_records_from_any_bytes_on_disk) {
  struct row {
    std::string disk;
    std::vector<std::string> records;
    std::string last_text;  // what the call that met the end left in the clip
  };
  const row rows[] = {
      {"a\a\r\nb", {"a", "b"}, "b"},  // the final record needs no separator
      {"\a\r\n\a\r\nx\a\r\n", {"", "", "x"}, ""},
      {"ab\acd\a\r\n", {"ab", "d"}, ""},  // an inner stop byte swallows the byte after it
      {"a\a\r\n\x1a", {"a"}, ""},         // a Ctrl+Z ending an old file is its end mark
      {"a\a\r\nb\x1a", {"a", "b"}, "b"},
      {"\r\ra\r\r\n\a\r\n", {"\r\ra\r\n"}, ""},  // lone CRs stay; a CR before LF goes once
  };
  for (const row& r : rows) {
    SCOPED_TRACE(testing::PrintToString(r.disk));
    write_file("f.txt", r.disk);
    const read_all_result all = read_all("f.txt");
    EXPECT_EQ(all.records, r.records);
    EXPECT_EQ(all.last_text, r.last_text);
    EXPECT_EQ(count_records("f.txt"), static_cast<int>(r.records.size()));
  }
}

TEST_F(record_file_test, end_results_tell_a_fresh_end_from_one_met_before) {
  write_file("f.txt", "a\a\r\n");
  record_stream in;
  in.open("f.txt", open_mode::read);
  int counter = 0;
  EXPECT_EQ(read_record(in, counter), read_result::record);
  EXPECT_EQ(read_record(in, counter), read_result::end_reached);
  std::snprintf(clip_text, clip_size, "%s", "kept");
  EXPECT_EQ(read_record(in, counter), read_result::end_already_reached);
  EXPECT_STREQ(clip_text, "kept");
  EXPECT_EQ(counter, 1);
}

TEST_F(record_file_test, overlong_records_are_split_and_lose_separator_length_bytes) {
  struct case_t {
    size_t text_length;
    std::vector<size_t> record_lengths;
  };
  for (const case_t& c : {case_t{20481, {20479, 0, 1}}, case_t{20485, {20479, 4, 1}}}) {
    std::string text(c.text_length, 'q');
    write_file("f.txt", text + "\a\r\nz\a\r\n");
    std::vector<std::string> records = read_all("f.txt").records;
    ASSERT_EQ(records.size(), c.record_lengths.size()) << c.text_length;
    for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i].size(), c.record_lengths[i]);
    EXPECT_EQ(records.back(), "z");
  }
}

// The re-use index reader looks at the next byte more than once before taking it.
TEST_F(record_file_test, peeking_again_takes_nothing) {
  write_file("f.txt", "1\r\n2");
  record_stream in;
  in.open("f.txt", open_mode::read);
  std::string seen;
  for (int k = 0; k < 3; ++k) {
    in.peek();
    seen += static_cast<char>(in.peek());
    seen += static_cast<char>(in.get());
  }
  EXPECT_EQ(seen, "11\n\n22");
  EXPECT_EQ(in.peek(), EOF);
}

// A CR that ends the file leaves nothing read ahead.
TEST_F(record_file_test, a_cr_ending_the_file_is_read_without_reading_ahead) {
  write_file("f.txt", "a\r");
  record_stream in;
  in.open("f.txt", open_mode::read);
  EXPECT_EQ((std::string{static_cast<char>(in.get()), static_cast<char>(in.get())}), "a\r");
  EXPECT_EQ(in.tell(), 2u);
}

TEST_F(record_file_test, any_text_without_stop_byte_or_ctrl_z_round_trips) {
  std::string text;
  for (int b = 1; b < 256; ++b)
    if (b != '\a' && b != 0x1a) text.push_back(static_cast<char>(b));
  text += "\r\n\n\r\r";
  std::vector<std::string> texts = {text, "", std::string(20479, '\xe0'), "\r", "\n"};
  {
    record_stream out;
    out.open("f.txt", open_mode::rewrite);
    for (const std::string& t : texts) write_record(out, t.c_str());
  }
  EXPECT_EQ(read_all("f.txt").records, texts);
}

TEST_F(record_file_test, open_modes) {
  write_file("keep.txt", "a\a\r\n");
  record_stream s;
  EXPECT_FALSE(s.open("absent.txt", open_mode::read_must_exist));
  EXPECT_FALSE(file_exists("absent.txt"));
  int counter = 0;
  EXPECT_EQ(read_record(s, counter), read_result::end_already_reached);

  ASSERT_TRUE(s.open("keep.txt", open_mode::append));
  write_record(s, "b");
  s.close();
  EXPECT_EQ(read_file("keep.txt"), "a\a\r\nb\a\r\n");

  ASSERT_TRUE(s.open("keep.txt", open_mode::read_write_end));
  write_record(s, "c");
  s.close();
  EXPECT_EQ(count_records("keep.txt"), 3);

  ASSERT_TRUE(s.open("keep.txt", open_mode::rewrite));
  s.close();
  EXPECT_EQ(read_file("keep.txt"), "");
}

// What the reader must make of raw file bytes: CR LF read as LF, a final Ctrl+Z
// dropped, then a record ended at every separator.
std::vector<std::string> reference_split(std::string disk, const std::string& separator) {
  if (!disk.empty() && disk.back() == '\x1a') disk.pop_back();
  std::string text;
  for (size_t i = 0; i < disk.size(); ++i)
    if (!(disk[i] == '\r' && i + 1 < disk.size() && disk[i + 1] == '\n')) text += disk[i];
  std::vector<std::string> records;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + separator.size())
    records.push_back(text.substr(start, at - start));
  if (start < text.size()) records.push_back(text.substr(start));
  return records;
}

// Whole records of random text up to the disk offset end, with CR LF pairs, lone CRs,
// Ctrl+Z and Shift_JIS pairs inside.
void add_filler(std::string& disk, size_t end, unsigned& seed) {
  const char bytes[] = "abcxyz \r\x1a\x82\xa0";
  while (disk.size() < end) {
    seed = seed * 1103515245u + 12345u;
    size_t length = (seed >> 8) % 3000;
    if (disk.size() + length + 6 > end) length = end - disk.size() - 3;
    for (size_t k = 0; k < length; ++k) {
      seed = seed * 1103515245u + 12345u;
      if ((seed >> 8) % 16 == 0 && k + 1 < length) {
        disk += "\r\n";
        ++k;
      } else {
        disk += bytes[(seed >> 8) % (sizeof bytes - 1)];
      }
    }
    disk += "\a\r\n";
  }
}

TEST_F(record_file_test, records_read_the_same_across_every_read_buffer_refill) {
  constexpr size_t refill = 65536;
  const std::string awkward = "ab\r\n\a\r\nc\x1a" "d\r\r\n\a\r\n";
  constexpr size_t files = 6;
  ASSERT_GT(3 * files, awkward.size());
  unsigned seed = 17;
  // The run sits on three refills per file, shifted so that every byte boundary of it
  // (and the ones at its two ends) falls on a refill in one of the files.
  for (size_t first_shift = 0; first_shift < files; ++first_shift) {
    std::string disk;
    for (size_t k = 1; k <= 3; ++k) {
      add_filler(disk, k * refill - (first_shift + files * (k - 1)), seed);
      disk += awkward;
    }
    add_filler(disk, 4 * refill - 10000, seed);
    for (int line = 0; line < 1000; ++line) disk += "one long record\r\n";
    disk += "\a\r\n";
    // The file ends with a Ctrl+Z that is the last byte of a full buffer.
    add_filler(disk, 5 * refill - 1, seed);
    disk += '\x1a';
    ASSERT_EQ(disk.size(), 5 * refill);
    write_file("big.txt", disk);
    for (const char* separator : {"\a\n", "\n"}) {
      std::snprintf(record_separator, sizeof record_separator, "%s", separator);
      const std::vector<std::string> expected = reference_split(disk, separator);
      EXPECT_EQ(read_all("big.txt").records, expected) << "file " << first_shift;
      EXPECT_EQ(count_records("big.txt"), static_cast<int>(expected.size())) << "file " << first_shift;
    }
  }
}

TEST_F(record_file_test, history_records_reach_the_disk_at_once) {
  std::snprintf(history_file, file_name_size, "%s", "_clip.txt");
  std::snprintf(history_append_file, file_name_size, "%s", "_clip.txt");
  open_history_streams();
  EXPECT_TRUE(append_history_text("first").saved);
  EXPECT_EQ(read_file("_clip.txt"), "first\a\r\n");
  int counter = 0;
  EXPECT_EQ(read_record(history_reader, counter), read_result::record);
  EXPECT_STREQ(clip_text, "first");
  close_history_streams();
}

TEST_F(record_file_test, unflushed_record_is_not_seen_until_the_streams_reopen) {
  open_history_streams();
  write_record(history_writer, "buffered");
  int counter = 0;
  EXPECT_NE(read_record(history_reader, counter), read_result::record);
  close_history_streams();
  open_history_streams();
  EXPECT_EQ(read_record(history_reader, counter), read_result::record);
  EXPECT_STREQ(clip_text, "buffered");
  close_history_streams();
}

}  // namespace
