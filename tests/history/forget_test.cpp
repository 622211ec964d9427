// Forgetting a clip: every record that is the text leaves every file that keeps clips,
// no byte of it stays anywhere in the folder, every other record stays where it was and
// every re-use entry still names the record it named. A write that fails at any step
// leaves each file as it was or as it should be, and the next try finishes.
#include <gtest/gtest.h>

#include <dirent.h>

#include <map>
#include <string>
#include <vector>

#include "history/forget.h"
#include "history/reuse_index.h"
#include "tests/history/record_file_fixture.h"

namespace {

std::string on_disk(const std::vector<std::string>& texts) {
  std::string bytes;
  for (const std::string& text : texts) bytes += text + "\a\r\n";
  return bytes;
}

const kept_files files{"_clip.txt", {"1_clip_bak.txt", "2_clip_bak.txt", "tmpclipsave.txt", "_recycle.txt"},
                       "_recycle_index.txt", "recycle_pending.txt"};

std::vector<std::string> folder_names() {
  std::vector<std::string> names;
  DIR* dir = opendir(".");
  while (dirent* entry = readdir(dir))
    if (entry->d_name[0] != '.') names.push_back(entry->d_name);
  closedir(dir);
  return names;
}

std::vector<int> index_numbers(const char* name) {
  record_stream index;
  index.open(name, open_mode::read);
  std::vector<int> numbers;
  int number = 0;
  while (read_index_number(index, number)) numbers.push_back(number);
  return numbers;
}

class forget_test : public record_file_fixture {
 protected:
  std::map<std::string, std::string> snapshot() const {
    std::map<std::string, std::string> all;
    for (const std::string& name : folder_names()) all[name] = read_file(name.c_str());
    return all;
  }
  // The texts the re-use entries name in the history.
  static std::vector<std::string> reused_texts() {
    const std::vector<std::string> history = records_of("_clip.txt");
    std::vector<std::string> texts;
    for (int number : index_numbers("_recycle_index.txt"))
      texts.push_back(number >= 1 && number <= static_cast<int>(history.size()) ? history[number - 1] : "?");
    return texts;
  }
};

struct forget_case {
  const char* name;
  std::string text;
  std::map<std::string, std::string> before;
  std::map<std::string, std::vector<std::string>> after;  // records of each file changed
  std::vector<std::string> reused;  // what the re-use entries name afterwards
  int records;
  int files;
};

const std::string nul_record = std::string("pin 4711\0 and more", 18);

const forget_case cases[] = {
    {"history_only", "pin 4711", {{"_clip.txt", on_disk({"a", "pin 4711", "b"})}}, {{"_clip.txt", {"a", "b"}}}, {}, 1, 1},
    {"in_a_backup",
     "pin 4711",
     {{"_clip.txt", on_disk({"a"})}, {"2_clip_bak.txt", on_disk({"x", "pin 4711"})}},
     {{"2_clip_bak.txt", {"x"}}},
     {},
     1,
     1},
    {"ring_and_reuse",
     "pin 4711",
     {{"_clip.txt", on_disk({"a", "pin 4711", "b", "c"})},
      {"tmpclipsave.txt", on_disk({"pin 4711", "c"})},
      {"_recycle.txt", on_disk({"pin 4711", "c"})},
      {"_recycle_index.txt", "2\r\n4\r\n3\r\n"}},
     {{"_clip.txt", {"a", "b", "c"}}, {"tmpclipsave.txt", {"c"}}, {"_recycle.txt", {"c"}}},
     {"c", "b"},
     3,
     4},
    {"several_times",
     "pin 4711",
     {{"_clip.txt", on_disk({"pin 4711", "a", "pin 4711", "pin 4711", "b", "pin 4711x"})},
      {"1_clip_bak.txt", on_disk({"pin 4711", "pin 4711"})},
      {"_recycle_index.txt", "1\r\n2\r\n5\r\n3\r\n6\r\n"}},
     {{"_clip.txt", {"a", "b", "pin 4711x"}}, {"1_clip_bak.txt", {}}},
     {"a", "b", "pin 4711x"},
     5,
     3},
    {"nowhere", "pin 4711", {{"_clip.txt", on_disk({"a", "pin 471", "pin 47111"})}, {"_recycle_index.txt", "2\r\n"}},
     {}, {"pin 471"}, 0, 0},
    {"last_record_without_separator", "pin 4711", {{"_clip.txt", on_disk({"a", "b"}) + "pin 4711"}},
     {{"_clip.txt", {"a", "b"}}}, {}, 1, 1},
    // What the reader shows of a record with a zero byte is what the user forgets.
    {"inner_nul", "pin 4711", {{"_clip.txt", on_disk({"a", nul_record, "b"})}}, {{"_clip.txt", {"a", "b"}}}, {},
     1, 1},
    // A text with a BEL was written as several records; the same records standing alone stay.
    {"inner_bel",
     "pin\a4711\nnext",
     {{"_clip.txt", on_disk({"a", "pin\a4711\r\nnext", "pin", "b"})}, {"_recycle_index.txt", "4\r\n1\r\n"}},
     {{"_clip.txt", {"a", "pin", "b"}}},
     {"pin", "a"},
     2,
     2},
};

class forget_case_test : public forget_test, public ::testing::WithParamInterface<forget_case> {};

TEST_P(forget_case_test, every_record_of_the_text_goes_and_nothing_else_moves) {
  const forget_case& c = GetParam();
  for (const auto& file : c.before) write_file(file.first.c_str(), file.second);
  std::map<std::string, std::vector<std::string>> records_before;
  for (const auto& file : c.before) records_before[file.first] = records_of(file.first.c_str());
  std::string stored;
  for (char byte : c.text + "\a\n") stored += byte == '\n' ? std::string("\r\n") : std::string(1, byte);
  const std::vector<std::string> names_before = folder_names();

  const forget_report report = forget_text(c.text.c_str(), files);

  EXPECT_TRUE(report.whole) << report.failed;
  EXPECT_EQ(report.records, c.records);
  EXPECT_EQ(report.files, c.files);
  EXPECT_EQ(folder_names(), names_before) << "no temporary stays, no file is made";
  for (const auto& file : snapshot()) {
    EXPECT_EQ(file.second.find(stored), std::string::npos) << file.first;
    if (file.first == "_recycle_index.txt") continue;
    const auto changed = c.after.find(file.first);
    EXPECT_EQ(records_of(file.first.c_str()),
              changed != c.after.end() ? changed->second : records_before[file.first])
        << file.first;
  }
  EXPECT_EQ(reused_texts(), c.reused);
  EXPECT_EQ(forget_text(c.text.c_str(), files).files, 0) << "a second forget finds nothing";
}

INSTANTIATE_TEST_SUITE_P(cases, forget_case_test, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<forget_case>& info) { return info.param.name; });

// Each file the forget writes again, and each step of that write, failing.
struct failing_forget {
  const char* failing;
  file_step step;
};

class failing_forget_test : public forget_test, public ::testing::WithParamInterface<failing_forget> {};

const std::map<std::string, std::string> spread_secret = {
    {"_clip.txt", on_disk({"a", "pin 4711", "b", "c"})},
    {"1_clip_bak.txt", on_disk({"pin 4711", "old"})},
    {"tmpclipsave.txt", on_disk({"pin 4711", "c"})},
    {"_recycle.txt", on_disk({"pin 4711", "c"})},
    {"_recycle_index.txt", "2\r\n4\r\n3\r\n"},
};

TEST_P(failing_forget_test, leaves_every_file_whole_and_the_next_try_finishes) {
  for (const auto& file : spread_secret) write_file(file.first.c_str(), file.second);
  forget_report report = forget_text("pin 4711", files);
  const std::map<std::string, std::string> forgotten = snapshot();
  for (const auto& file : forgotten) remove(file.first.c_str());
  for (const auto& file : spread_secret) write_file(file.first.c_str(), file.second);

  plant_file_fault(GetParam().step, GetParam().failing);
  report = forget_text("pin 4711", files);
  plant_file_fault(file_step::none, "");

  EXPECT_FALSE(report.whole);
  for (const auto& file : snapshot()) {
    if (file.first == "recycle_pending.txt") {
      EXPECT_EQ(file.second, forgotten.at("_recycle_index.txt"));
      continue;
    }
    ASSERT_TRUE(forgotten.count(file.first)) << file.first << " stayed behind";
    EXPECT_TRUE(file.second == forgotten.at(file.first) || file.second == spread_secret.at(file.first)) << file.first;
  }
  // The history and its index agree, at once or once the pending index is in place.
  if (!file_exists("recycle_pending.txt")) {
    const bool history_cut = read_file("_clip.txt") == forgotten.at("_clip.txt");
    EXPECT_EQ(read_file("_recycle_index.txt"), history_cut ? forgotten.at("_recycle_index.txt")
                                                           : spread_secret.at("_recycle_index.txt"));
  }
  EXPECT_TRUE(forget_text("pin 4711", files).whole);
  EXPECT_EQ(snapshot(), forgotten);
}

const failing_forget failing_forgets[] = {
    {"_clip.txt.tmp", file_step::open},          {"_clip.txt.tmp", file_step::write},
    {"_clip.txt.tmp", file_step::flush},         {"_clip.txt.tmp", file_step::close},
    {"_clip.txt", file_step::replace},           {"1_clip_bak.txt.tmp", file_step::write},
    {"1_clip_bak.txt", file_step::replace},      {"tmpclipsave.txt.tmp", file_step::open},
    {"tmpclipsave.txt", file_step::replace},     {"_recycle.txt.tmp", file_step::flush},
    {"_recycle.txt", file_step::replace},        {"_recycle_index.txt.tmp", file_step::open},
    {"_recycle_index.txt.tmp", file_step::write}, {"_recycle_index.txt.tmp", file_step::close},
    {"_recycle_index.txt", file_step::replace},  {"", file_step::write},
};

std::string failing_name(const ::testing::TestParamInfo<failing_forget>& info) {
  const char* steps[] = {"none", "open", "write", "flush", "close", "replace"};
  std::string name = std::string(info.param.failing[0] == '\0' ? "every_file" : info.param.failing) + "_" +
                     steps[static_cast<int>(info.param.step)];
  for (char& c : name)
    if (c == '.') c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(steps, failing_forget_test, ::testing::ValuesIn(failing_forgets), failing_name);

TEST_F(forget_test, clearing_empties_every_kept_file_and_leaves_the_rest) {
  for (const auto& file : spread_secret) write_file(file.first.c_str(), file.second);
  write_file("recycle_pending.txt", "1\r\n");
  write_file("_special1.txt", on_disk({"pin 4711"}));
  write_file("dovane_clip.ini", "[init]\r\n");
  const forget_report report = clear_files(files);
  EXPECT_TRUE(report.whole);
  EXPECT_EQ(report.files, 5);
  std::map<std::string, std::string> expected;
  for (const auto& file : spread_secret) expected[file.first] = "";
  expected["_special1.txt"] = on_disk({"pin 4711"});
  expected["dovane_clip.ini"] = "[init]\r\n";
  EXPECT_EQ(snapshot(), expected);

  for (const auto& file : spread_secret) write_file(file.first.c_str(), file.second);
  plant_file_fault(file_step::replace, "_clip.txt");
  EXPECT_EQ(clear_files(files).failed, "_clip.txt");
  EXPECT_EQ(read_file("_clip.txt"), spread_secret.at("_clip.txt"));
  EXPECT_FALSE(file_exists("_clip.txt.tmp"));
  EXPECT_EQ(read_file("_recycle_index.txt"), "");
}

}  // namespace
