// Every file the program writes, with the write failing at each step: the files stay as
// they were, no temporary file is left, the user is told once, what the program holds
// of the file is as before, and the next save goes through once the failure is gone.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/forget_commands.h"
#include "app/forget_worker.h"
#include "app/main_window.h"
#include "app/res/resource_ids.h"
#include "app/tray_icon.h"
#include "drawers/drawer_records.h"
#include "history/clip_side_file.h"
#include "history/history_streams.h"
#include "history/link_tag.h"
#include "history/maintenance.h"
#include "history/record_file.h"
#include "history/side_file_upkeep.h"
#include "settings/settings_values.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"
#include "text/file_faults.h"

namespace {

using files = std::vector<std::pair<const char*, std::string>>;
class failing_write_test;

struct writer {
  const char* name;
  const char* failing;  // the file whose step fails
  std::vector<file_step> steps;
  files before;         // at the start; they stay so through the failure
  std::vector<const char*> temporaries;
  bool at_start;        // the save runs in the create sequence
  void (*save)(failing_write_test&, int attempt);
  std::string (*held)();  // what the program holds of the file; null for nothing
  files after;          // once the save went through
  const char* told;     // the file the notice names
  const char* pending;  // kept for the next start to finish, or null
};

struct failing_step {
  const writer* w;
  file_step step;
};

const char* step_name(file_step step) {
  const char* names[] = {"none", "open", "write", "flush", "close", "replace"};
  return names[static_cast<int>(step)];
}

class failing_write_test : public app_test, public ::testing::WithParamInterface<failing_step> {
 public:
  void start() { start_app(); }
  void copy(const std::string& text) { copy_from_other_program(text); }
  void run(int id) { command(id); }
  static std::string status_line() {
    char status[status_line_size];
    format_status_line(status, sizeof status);
    return status;
  }

 protected:
  void TearDown() override {
    plant_file_fault(file_step::none, "");
    SetFileAttributesA("dovane_clip.ini", FILE_ATTRIBUTE_NORMAL);
    app_test::TearDown();
  }
};

std::string history_held() {
  return std::to_string(history_count) + testing::PrintToString(menu_entries(history_menu));
}
std::string reuse_held() {
  return std::to_string(last_reused_index) + testing::PrintToString(menu_entries(recycle_menu));
}
std::string drawer_held() { return testing::PrintToString(menu_entries(drawer_menus[4])); }
// A compaction that did not happen leaves the count of the history that stayed.
std::string compaction_held() {
  return history_count == count_records(history_append_file) ? "count fits" : std::to_string(history_count);
}

const std::string old_ini = "[init]\r\nsave=history\r\nback num=0\r\n";
const std::vector<file_step> stream_steps = {file_step::open, file_step::write, file_step::flush, file_step::close};
const std::vector<file_step> replaced_steps = {file_step::open, file_step::write, file_step::flush, file_step::close,
                                               file_step::replace};
const files long_history = {{"_clip.txt", numbered_records(1, 521)}, {"_recycle_index.txt", "505\r\n12\r\n"}};
const files compacted = {{"_clip.txt", numbered_records(501, 521)}, {"_recycle_index.txt", "5\r\n"},
                         {"2_clip_bak.txt", numbered_records(1, 500)}};
const std::vector<const char*> compaction_leftovers = {"0_clip_bak.txt", "recycletmp.txt", "1_clip_bak.txt",
                                                       "recycle_pending.txt"};

void compact_again(failing_write_test&, int) { compact_history(); }
void forget_pin(failing_write_test&, int) {
  forget_and_show("pin");
  finish_forgetting();
}

std::string side_line_of(const char* record, const std::u16string* original) {
  const sha256_digest key = record_key(record);
  return (original != nullptr ? original_line(key, original->data(), original->size())
                              : time_line(key, clip_time{2025, 12, 8, 14, 5, 0})) + "\r\n";
}
const std::u16string jose = u"Jos\u00E9 M\u00FCller";
const std::string side_before = side_line_of("kept clip", nullptr);
// Grown past what start-up lets stand: lines of texts no file holds any more.
std::string grown_side_file() {
  std::string lines = side_before;
  for (int n = 0; n < 800; ++n) lines += side_line_of(("gone " + std::to_string(n)).c_str(), nullptr);
  return lines;
}

const writer writers[] = {
    {"history_append", "_clip.txt", {file_step::write, file_step::flush},
     {{"dovane_clip.ini", old_ini}, {"_clip.txt", records_on_disk({"older"})}}, {}, false,
     // The natural retry copies the same text again: it is no duplicate of a lost clip.
     [](failing_write_test& t, int) { t.copy("new clip"); }, history_held,
     {{"_clip.txt", records_on_disk({"older", "new clip"})}}, "_clip.txt", nullptr},
    {"ring_save", "tmpclipsave.tmp", replaced_steps, {{"tmpclipsave.txt", records_on_disk({"old"})}},
     {"tmpclipsave.tmp"}, false, [](failing_write_test& t, int n) { t.copy("clip " + std::to_string(n)); }, nullptr,
     {{"tmpclipsave.txt", records_on_disk({"old", "clip 1", "clip 2", "clip 3"})}}, "tmpclipsave.txt", nullptr},
    {"settings_update", "dovane_clip.ini.tmp", {file_step::open, file_step::write, file_step::replace},
     {{"dovane_clip.ini", old_ini + "[other]\r\nkept=yes\r\n"}}, {"dovane_clip.ini.tmp"}, false,
     [](failing_write_test& t, int) { t.run(CMD_SAVE_HISTORY_OFF); }, nullptr,
     {{"dovane_clip.ini", "[init]\r\nsave=no-history\r\nback num=0\r\nmax=500\r\nhis max=10\r\nmode=DOVANE\r\n"
                          "spname=1\r\n[other]\r\nkept=yes\r\n[special]\r\n1=special\r\n"}},
     "dovane_clip.ini", nullptr},
    {"drawer_append", "_special4.txt", stream_steps, {{"_special4.txt", records_on_disk({"old"})}}, {}, false,
     [](failing_write_test& t, int) {
       std::snprintf(clip_text, sizeof clip_text, "%s", "phrase");
       t.run(CMD_REGISTER_4);
     },
     drawer_held, {{"_special4.txt", records_on_disk({"old", "phrase"})}}, "_special4.txt", nullptr},
    // The last record has no separator: what is kept of it ends at the end of the file.
    {"drawer_delete", "_special4.txtt", replaced_steps, {{"_special4.txt", "old\a\r\nphrase\a\r\nlast"}},
     {"_special4.txtt"}, false, [](failing_write_test&, int) { delete_drawer_record(0, 4, 1); }, drawer_held,
     {{"_special4.txt", "phrase\a\r\nlast"}}, "_special4.txt", nullptr},
    {"reuse_record", "_recycle.txt", stream_steps,
     {{"_clip.txt", numbered_records(1, 9)}, {"_recycle.txt", records_on_disk({"r5"})}, {"_recycle_index.txt", "5\r\n"}},
     {}, false, [](failing_write_test& t, int) { t.run(1003); }, reuse_held,
     {{"_recycle.txt", records_on_disk({"r5", "r3"})}, {"_recycle_index.txt", "5\r\n3\r\n"}}, "_recycle.txt", nullptr},
    {"reuse_index", "_recycle_index.txt", stream_steps,
     {{"_clip.txt", numbered_records(1, 9)}, {"_recycle.txt", records_on_disk({"r5"})}, {"_recycle_index.txt", "5"}},
     {}, false, [](failing_write_test& t, int) { t.run(1003); }, reuse_held,
     {{"_recycle.txt", records_on_disk({"r5", "r3"})}, {"_recycle_index.txt", "5\r\n3\r\n"}}, "_recycle.txt", nullptr},
    {"link_tag_append", "taglink.txt", stream_steps, {{"taglink.txt", "<a>old</a>\r\n"}}, {}, false,
     [](failing_write_test&, int) { make_link_tag(main_window); }, nullptr,
     {{"taglink.txt", "<a>old</a>\r\n<a href=\"\"></a>\r\n"}}, "taglink.txt", nullptr},
    {"compaction_backup_copy", "1_clip_bak.txt", stream_steps, long_history, compaction_leftovers, true,
     compact_again, compaction_held, compacted, "_clip.txt", nullptr},
    {"compaction_kept_copy", "0_clip_bak.txt", stream_steps, long_history, compaction_leftovers, true,
     compact_again, compaction_held, compacted, "_clip.txt", nullptr},
    {"compaction_renumbered_index", "recycletmp.txt", stream_steps, long_history, compaction_leftovers, true,
     compact_again, compaction_held, compacted, "_clip.txt", nullptr},
    // The backup is a copy and may stay; the history it was cut from is whole.
    {"compaction_history_swap", "_clip.txt", {file_step::replace}, long_history,
     {"0_clip_bak.txt", "recycletmp.txt", "recycle_pending.txt"}, true, compact_again, compaction_held,
     {compacted[0], compacted[1], compacted[2], {"1_clip_bak.txt", numbered_records(1, 500)}}, "_clip.txt", nullptr},
    {"side_append", "_clip_original.txt", stream_steps, {{"_clip_original.txt", side_before}}, {}, false,
     [](failing_write_test&, int) { keep_original("Jos? M?ller", jose.data(), jose.size()); }, nullptr,
     {{"_clip_original.txt", side_before + side_line_of("Jos? M?ller", &jose)}}, "_clip_original.txt", nullptr},
    {"side_tidy", "_clip_original.tmp", replaced_steps,
     {{"_clip_original.txt", grown_side_file()}, {"tmpclipsave.txt", records_on_disk({"kept clip"})}},
     {"_clip_original.tmp"}, true, [](failing_write_test&, int) { tidy_side_file(); }, nullptr,
     {{"_clip_original.txt", "referenced\t" + std::to_string(side_before.size()) + "\r\n" + side_before}},
     "_clip_original.txt", nullptr},
    // A forgotten clip: each file that holds it is written again, or stays as it was.
    {"forget_history", "_clip.txt.tmp", replaced_steps, {{"_clip.txt", records_on_disk({"a", "pin", "b"})}},
     {"_clip.txt.tmp"}, false, forget_pin, history_held, {{"_clip.txt", records_on_disk({"a", "b"})}}, "_clip.txt",
     nullptr},
    {"forget_backup", "1_clip_bak.txt.tmp", replaced_steps, {{"1_clip_bak.txt", records_on_disk({"pin", "old"})}},
     {"1_clip_bak.txt.tmp"}, false, forget_pin, nullptr, {{"1_clip_bak.txt", records_on_disk({"old"})}},
     "1_clip_bak.txt", nullptr},
    {"forget_reuse", "_recycle.txt.tmp", replaced_steps, {{"_recycle.txt", records_on_disk({"pin", "r"})}},
     {"_recycle.txt.tmp"}, false, forget_pin, reuse_held, {{"_recycle.txt", records_on_disk({"r"})}}, "_recycle.txt",
     nullptr},
    // The history is shortened only with the index that fits it.
    {"forget_reuse_index", "_recycle_index.txt.tmp", stream_steps,
     {{"_clip.txt", records_on_disk({"r1", "pin", "r3"})}, {"_recycle_index.txt", "3\r\n2\r\n"}},
     {"_recycle_index.txt.tmp", "_clip.txt.tmp"}, false, forget_pin, reuse_held,
     {{"_clip.txt", records_on_disk({"r1", "r3"})}, {"_recycle_index.txt", "2\r\n"}}, "_recycle_index.txt", nullptr},
    // Once the history is shortened, only the renumbered index fits it: the next start
    // puts it in place.
    {"compaction_index_swap", "_recycle_index.txt", {file_step::replace}, long_history,
     {"0_clip_bak.txt", "recycletmp.txt"}, true, [](failing_write_test&, int) { finish_reuse_index_swap(); },
     compaction_held, {{"_recycle_index.txt", "5\r\n"}, {"_clip.txt", numbered_records(501, 521)}},
     "_recycle_index.txt", "recycle_pending.txt"},
};

// A read-only settings file makes a read-only copy, which must not stay behind either.
void cause(const writer& w, file_step step) {
  if (std::string(w.failing) == "dovane_clip.ini.tmp") SetFileAttributesA("dovane_clip.ini", FILE_ATTRIBUTE_READONLY);
  plant_file_fault(step, w.failing);
}

void mend() {
  plant_file_fault(file_step::none, "");
  SetFileAttributesA("dovane_clip.ini", FILE_ATTRIBUTE_NORMAL);
}

TEST_P(failing_write_test, leaves_the_files_whole_says_so_once_and_saves_again_when_mended) {
  const writer& w = *GetParam().w;
  for (const auto& file : w.before) write_file(file.first, file.second);
  if (!w.at_start) start();
  const int balloons_before = tray_icon.balloons_shown();
  const std::string held = w.held != nullptr && !w.at_start ? w.held() : "count fits";
  cause(w, GetParam().step);
  // A compaction fails once a start; any other save fails again at the next try.
  if (w.at_start) start();
  for (int attempt = 1; !w.at_start && attempt <= 2; ++attempt) w.save(*this, attempt);

  // The history a swapped-in index was renumbered for is the new one.
  for (const auto& file : w.before) {
    const bool shortened = w.pending != nullptr && std::string(file.first) == "_clip.txt";
    EXPECT_EQ(read_file(file.first), shortened ? numbered_records(501, 521) : file.second) << file.first;
  }
  for (const char* name : w.temporaries) EXPECT_FALSE(file_exists(name)) << name;
  if (w.pending != nullptr) {
    EXPECT_TRUE(file_exists(w.pending));
  }
  EXPECT_EQ(tray_icon.balloons_shown(), balloons_before + 1);
  EXPECT_EQ(std::string(tray_icon.last_balloon()), std::string("保存できませんでした\n") + w.told);
  EXPECT_NE(status_line().find(std::string("保存できませんでした: ") + w.told), std::string::npos);
  if (w.held != nullptr) {
    EXPECT_EQ(w.held(), held);
  }
  if (w.held == compaction_held) {
    EXPECT_EQ(ini_value("init", "back num"), "1");  // raised and saved before the backup was written
  }

  mend();
  w.save(*this, 3);
  for (const auto& file : w.after) EXPECT_EQ(read_file(file.first), file.second) << file.first;
  for (const char* name : w.temporaries) EXPECT_FALSE(file_exists(name)) << name;
  EXPECT_FALSE(w.pending != nullptr && file_exists(w.pending));
  EXPECT_EQ(status_line().find("保存できませんでした"), std::string::npos);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons_before + 1);
}

// A full disk: the rows above hold for every file at once, and each kind of file is
// told once, however many drawer files fail.
TEST_F(failing_write_test, a_full_disk_tells_each_kind_of_file_once) {
  write_file("dovane_clip.ini", history_on_settings());
  start_app();
  plant_file_fault(file_step::write, "");
  copy_from_other_program("lost 1");
  const int balloons = tray_icon.balloons_shown();
  EXPECT_EQ(balloons, 3);  // the history's, the ring's and the side file's
  copy_from_other_program("lost 2");
  for (int drawer = 0; drawer < 10; ++drawer) command(CMD_REGISTER_0 + drawer);
  copy_from_other_program("lost 3");
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);  // the drawer files' own notice
  EXPECT_EQ(GetMenuItemCount(drawer_menus[0]), 1);

  plant_file_fault(file_step::none, "");
  copy_from_other_program("kept");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"kept"}));
  EXPECT_EQ(menu_ids(history_menu, 1), std::vector<UINT>{1001});
  EXPECT_EQ(status_line().find("保存できませんでした: _clip.txt"), std::string::npos);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);
}

// Notices over time: of two kinds of file failing, the one that recovers takes its notice
// away and the other's stays; a new run of failures after a success is told again.
TEST_F(failing_write_test, each_kind_of_file_is_told_for_each_run_of_its_failures) {
  write_file("dovane_clip.ini", history_on_settings());
  start_app();
  const int balloons = tray_icon.balloons_shown();
  plant_file_fault(file_step::write, "");
  copy_from_other_program("both fail");
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 3);  // the history's, the ring's and the side file's

  plant_file_fault(file_step::replace, "tmpclipsave.tmp");
  copy_from_other_program("the ring still fails");
  EXPECT_NE(status_line().find("保存できませんでした: tmpclipsave.txt"), std::string::npos);
  EXPECT_EQ(status_line().find("保存できませんでした: _clip.txt"), std::string::npos);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 3);

  plant_file_fault(file_step::none, "");
  copy_from_other_program("all saved");
  EXPECT_EQ(status_line().find("保存できませんでした"), std::string::npos);

  plant_file_fault(file_step::write, "_clip.txt");
  copy_from_other_program("the history fails again");
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 4);
  EXPECT_EQ(std::string(tray_icon.last_balloon()), "保存できませんでした\n_clip.txt");
}

std::vector<failing_step> every_failing_step() {
  std::vector<failing_step> rows;
  for (const writer& w : writers)
    for (file_step step : w.steps) rows.push_back({&w, step});
  return rows;
}

INSTANTIATE_TEST_SUITE_P(every_write, failing_write_test, ::testing::ValuesIn(every_failing_step()),
                         [](const ::testing::TestParamInfo<failing_step>& row) {
                           return std::string(row.param.w->name) + "_at_" + step_name(row.param.step);
                         });

}  // namespace
