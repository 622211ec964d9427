#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "history/history_streams.h"
#include "history/link_tag.h"
#include "settings/settings_values.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

// What the notice said, read while it is open; "close" then ends it early.
std::string dialog_message;
int dialogs_seen = 0;

void CALLBACK read_and_close_dialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA("#32770", "タグ作成");
  if (dialog == nullptr) return;
  KillTimer(nullptr, timer);
  ++dialogs_seen;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char window_class[16];
    GetClassNameA(child, window_class, sizeof window_class);
    if (lstrcmpiA(window_class, "Static") != 0) continue;
    dialog_message = window_text_sjis(child);
  }
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

class link_tag_test : public app_test {
 protected:
  void SetUp() override {
    app_test::SetUp();
    dialog_message.clear();
    dialogs_seen = 0;
  }
  void start_empty() {
    start_app();
  }
  // The notice, shown without waiting for it, is read and closed at once instead of after
  // its second.
  void read_notice() { read_and_close_dialog(nullptr, 0, 0, 0); }
};

TEST_F(link_tag_test, a_url_then_its_caption_within_the_time_window_makes_a_tag) {
  start_empty();
  copy_from_other_program("http://example.jp/");
  copy_from_other_program("例のページ");
  read_notice();
  const std::string tag = "<a href=\"http://example.jp/\">例のページ</a>";
  EXPECT_EQ(clipboard_text(), tag);
  EXPECT_STREQ(clip_text, tag.c_str());
  EXPECT_EQ(read_file("taglink.txt"), tag + "\r\n");
  EXPECT_EQ(dialogs_seen, 1);
  EXPECT_EQ(dialog_message, "保存しました");
  // The tag is the program's own output: not a clip of its own.
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), (std::vector<std::string>{"http://example.jp/", "例のページ"}));
  // An https URL arms the tag as well.
  copy_from_other_program("https://example.jp/secure");
  copy_from_other_program("安全なページ");
  read_notice();
  const std::string secure_tag = "<a href=\"https://example.jp/secure\">安全なページ</a>";
  EXPECT_EQ(clipboard_text(), secure_tag);
  EXPECT_EQ(read_file("taglink.txt"), tag + "\r\n" + secure_tag + "\r\n");
}

TEST_F(link_tag_test, only_a_new_text_right_after_an_http_url_pairs_with_it) {
  start_empty();
  struct row {
    const char* first;
    const char* second;
    bool timer_fired_between;
  };
  // None of these makes a tag.
  const row table[] = {
      {"HTTP://example.jp/b", "caption b", false},
      {"http://example.jp/c", "caption c", true},
      {"http://example.jp/d", "", false},
      {"http://example.jp/e", "http://example.jp/e", false},
  };
  for (const row& r : table) {
    SCOPED_TRACE(r.first);
    copy_from_other_program(r.first);
    if (r.timer_fired_between) SendMessageA(main_window, WM_TIMER, capture_timer_id, 0);
    copy_from_other_program(r.second);
    EXPECT_EQ(read_file("taglink.txt"), "");
    SendMessageA(main_window, WM_TIMER, capture_timer_id, 0);
  }
}

TEST_F(link_tag_test, make_command_right_after_an_empty_start_up_pairs_two_empty_texts) {
  start_empty();
  command(CMD_MAKE_LINK_TAG);
  read_notice();
  EXPECT_EQ(clipboard_text(), "<a href=\"\"></a>");
  EXPECT_EQ(read_file("taglink.txt"), "<a href=\"\"></a>\r\n");
  EXPECT_EQ(dialog_message, "保存しました");
}

TEST_F(link_tag_test, the_dialog_closes_itself_and_tags_add_lines_to_an_existing_file) {
  write_file("taglink.txt", "<a href=\"old\">old</a>\r\n");
  start_empty();
  copy_from_other_program("only clip");
  command(CMD_MAKE_LINK_TAG);
  EXPECT_EQ(read_file("taglink.txt"), "<a href=\"old\">old</a>\r\n<a href=\"\">only clip</a>\r\n");
}

TEST_F(link_tag_test, clearing_the_file_makes_the_next_tag_its_first_line) {
  write_file("taglink.txt", "<a href=\"old\">old</a>\r\n");
  start_empty();
  command(CMD_CLEAR_LINK_TAG_FILE);
  EXPECT_EQ(read_file("taglink.txt"), "");
  copy_from_other_program("http://example.jp/");
  copy_from_other_program("new");
  read_notice();
  EXPECT_EQ(read_file("taglink.txt"), "<a href=\"http://example.jp/\">new</a>\r\n");
}

TEST_F(link_tag_test, a_tag_that_could_not_be_written_is_not_reported_as_saved) {
  struct row {
    const char* file;
  };
  // A folder that does not exist cannot be opened; the full device takes no bytes.
  const row table[] = {{"no such folder\\taglink.txt"}, {"Z:\\dev\\full"}};
  write_file("dovane_clip.ini", std::string("[init]\r\ntaglinkfile=") + table[0].file + "\r\n");
  start_empty();
  for (const row& r : table) {
    SCOPED_TRACE(r.file);
    std::snprintf(tag_link_file, sizeof tag_link_file, "%s", r.file);
    open_link_tag_file();
    dialog_message.clear();
    command(CMD_MAKE_LINK_TAG);
    read_notice();
    EXPECT_EQ(dialog_message, "保存できませんでした");
    EXPECT_EQ(clipboard_text(), "<a href=\"\"></a>");
  }
}

}  // namespace
