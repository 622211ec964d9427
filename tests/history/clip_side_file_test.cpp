// The text as copied comes back for exactly the records made from it, wherever their
// text went, and the side file stays bounded and readable whatever was torn or edited.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "history/byte_copy.h"
#include "history/clip_originals.h"
#include "history/clip_side_file.h"
#include "history/record_index.h"
#include "tests/history/record_file_fixture.h"
#include "text/unicode_text.h"

namespace {

std::string sjis_of(const std::u16string& text) {
  std::string field(clip_size, '\0');
  field.resize(utf16_to_sjis(text.data(), text.size(), &field[0], clip_size).length);
  return field;
}

std::u16string as_read_by_unicode_programs(const std::string& sjis) {
  std::u16string units(sjis.size() + 1, u'\0');
  units.resize(sjis_to_utf16(sjis.data(), sjis.size(), &units[0], units.size()));
  return units;
}

// What goes out as CF_UNICODETEXT for a record.
std::u16string put_back(const std::string& record) {
  std::u16string original;
  return original_of(record.c_str(), original) ? original : as_read_by_unicode_programs(record);
}

void write_records(const char* name, const std::vector<std::string>& texts) {
  record_stream file;
  file.open(name, open_mode::rewrite);
  for (const std::string& text : texts) write_record(file, text.c_str());
}

void capture(const std::u16string& copied, int second) {
  const std::string record = sjis_of(copied);
  hold_original(copied.data(), copied.size(), record.c_str(), record.size());
  keep_side_of_new_clip(record.c_str(), clip_time{2025, 12, 8, 14, 5, second});
}

class clip_side_file_test : public record_file_fixture {};

TEST_F(clip_side_file_test, each_record_gives_back_the_newest_copy_of_its_own_text_through_moves_edits_and_compaction) {
  const std::vector<std::u16string> copies = {
      u"ありがとう😊", u"José Müller", u"你好世界", u"plain text", u"〜 wave dash",
      u"tab\there\r\nnext \\ line 😊", u"lone \xD83D half", u"Josè Müller" /* the same Shift_JIS as José */,
      u"ありがとう😊" /* again, later */, u"drawer only ✓"};
  // The reference: for each Shift_JIS text, the last copy made into it and its time.
  std::map<std::string, std::pair<std::u16string, int>> newest;
  std::vector<std::string> captured;
  for (std::size_t i = 0; i < copies.size(); ++i) {
    capture(copies[i], static_cast<int>(i));
    captured.push_back(sjis_of(copies[i]));
    newest[captured.back()] = {copies[i], static_cast<int>(i)};
  }
  const std::string drawer_only = captured.back();
  captured.pop_back();

  // The history, then compacted: its first three records renumbered into a backup.
  write_records("_clip.txt", captured);
  record_index history;
  history.build("_clip.txt");
  ASSERT_TRUE(split_record_file(history, 3, "1_clip_bak.txt", "kept.txt"));
  ASSERT_EQ(std::rename("kept.txt", "_clip.txt"), 0);
  write_records("_recycle.txt", {captured[1]});
  write_records("_special0.txt", {drawer_only, "typed by hand"});
  write_records("tmpclipsave.txt", {captured[0], captured[5], captured[6]});
  // Changed by hand in the history: its record is another text now.
  std::vector<std::string> edited = records_of("_clip.txt");
  edited.back() = "ありがとう!";
  write_records("_clip.txt", edited);

  const std::vector<std::string> files = {"_clip.txt", "1_clip_bak.txt", "_recycle.txt", "_special0.txt",
                                          "tmpclipsave.txt"};
  const auto check_every_record = [&](const char* when) {
    for (const std::string& file : files)
      for (const std::string& record : records_of(file.c_str())) {
        const auto copied = newest.find(record);
        const std::u16string expected =
            copied != newest.end() ? copied->second.first : as_read_by_unicode_programs(record);
        EXPECT_TRUE(put_back(record) == expected) << when << ": " << file << ": " << record;
        clip_time time;
        EXPECT_EQ(time_of(record.c_str(), time), copied != newest.end()) << when << ": " << record;
        if (copied != newest.end()) {
          EXPECT_EQ(time.second, copied->second.second) << when << ": " << record;
        }
      }
  };
  check_every_record("before compaction");
  std::u16string wrapped;
  ASSERT_TRUE(compose_with_original("前略", captured[1].c_str(), "早々", wrapped));
  EXPECT_TRUE(wrapped == u"\u524D\u7565Jos\u00E8 M\u00FCller\u65E9\u3005");

  // The drawer's phrase goes, and with it the lines of the text only it held.
  std::remove("_special0.txt");
  newest.erase(drawer_only);
  ASSERT_TRUE(compact_side_file(files));
  check_every_record("after compaction");
  clip_time gone;
  EXPECT_FALSE(time_of(drawer_only.c_str(), gone));

  // Left: the newest original and time of each text still named, after the mark.
  std::size_t referenced = 0;
  for (const auto& text : newest) {
    const sha256_digest key = record_key(text.first.c_str());
    if (text.second.first != as_read_by_unicode_programs(text.first))
      referenced += original_line(key, text.second.first.data(), text.second.first.size()).size() + 2;
    referenced += time_line(key, clip_time{}).size() + 2;
  }
  const std::string side = read_file(side_file_name);
  EXPECT_EQ(side.substr(0, side.find('\n') + 1), "referenced\t" + std::to_string(referenced) + "\r\n");
  EXPECT_EQ(side.size() - side.find('\n') - 1, referenced);

  // A text forgotten takes its lines along, wherever its records are.
  ASSERT_TRUE(drop_side_keys({record_key(captured[1].c_str())}));
  newest.erase(captured[1]);
  check_every_record("after a text was forgotten");
}

TEST_F(clip_side_file_test, a_torn_or_edited_line_never_speaks_for_a_record) {
  const std::u16string a = u"ありがとう😊";
  const std::u16string b = u"José Müller";
  const sha256_digest key_b = record_key(sjis_of(b).c_str());
  const std::string line_b = original_line(key_b, b.data(), b.size()) + "\r\n";
  const std::string time_b = time_line(key_b, clip_time{2025, 12, 8, 14, 5, 2}) + "\r\n";
  struct tail_case {
    const char* what;
    std::string tail;
    bool tail_stays;  // a whole line stays, a torn one is cut back before the next line
    bool b_comes_back;
  };
  const tail_case cases[] = {
      {"a whole line without its line end", line_b.substr(0, line_b.size() - 2), false, false},
      {"half a line", line_b.substr(0, line_b.size() / 2), false, false},
      {"a line naming b with a's text", original_line(key_b, a.data(), a.size()) + "\r\n", true, false},
      {"a bad escape", line_b.substr(0, line_b.size() - 2) + "\\q\r\n", true, false},
      {"a whole line", line_b, true, true},
  };
  for (const tail_case& c : cases) {
    std::remove(side_file_name);
    capture(a, 1);
    const std::string before = read_file(side_file_name);
    EXPECT_TRUE(put_back(sjis_of(a)) == a) << c.what;
    write_file(side_file_name, before + c.tail);
    // Otherwise b goes out as its Shift_JIS reads, never as another text.
    EXPECT_TRUE(put_back(sjis_of(b)) == (c.b_comes_back ? b : as_read_by_unicode_programs(sjis_of(b)))) << c.what;
    EXPECT_TRUE(put_back(sjis_of(a)) == a) << c.what;
    capture(b, 2);
    EXPECT_TRUE(put_back(sjis_of(b)) == b) << c.what;
    EXPECT_EQ(read_file(side_file_name),
              before + (c.tail_stays ? c.tail : "") + (c.b_comes_back ? "" : line_b) + time_b)
        << c.what;
  }
}

// A burst of captures writes its times in one append, read back from memory until then;
// a text forgotten meanwhile leaves no line of its time on disk.
TEST_F(clip_side_file_test, times_kept_for_soon_are_read_back_then_written_once_and_forgotten_with_their_text) {
  const clip_time first{2025, 12, 8, 14, 5, 1}, later{2025, 12, 8, 14, 5, 2}, other{2025, 12, 8, 14, 5, 3};
  keep_time_soon("alpha", first);
  keep_time_soon("beta", other);
  keep_time_soon("alpha", later);
  EXPECT_FALSE(file_exists(side_file_name));
  clip_time read;
  ASSERT_TRUE(time_of("alpha", read));
  EXPECT_TRUE(read == later);
  ASSERT_TRUE(write_waiting_times());
  EXPECT_EQ(read_file(side_file_name), time_line(record_key("alpha"), first) + "\r\n" +
                                           time_line(record_key("beta"), other) + "\r\n" +
                                           time_line(record_key("alpha"), later) + "\r\n");
  ASSERT_TRUE(time_of("alpha", read));
  EXPECT_TRUE(read == later);

  keep_time_soon("secret", other);
  ASSERT_TRUE(drop_side_keys({record_key("secret")}));
  EXPECT_FALSE(time_of("secret", read));
  EXPECT_EQ(read_file(side_file_name).find(time_line(record_key("secret"), other)), std::string::npos);
}

}  // namespace
