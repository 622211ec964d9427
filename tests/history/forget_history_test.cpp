// Forgetting a clip as the user does it: Delete and Enter in the find window, the
// command for the record on show, clearing the whole history, and programs whose clips
// are never kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/find_window.h"
#include "app/forget_commands.h"
#include "app/forget_worker.h"
#include "app/main_window.h"
#include "app/res/resource_ids.h"
#include "app/tray_icon.h"
#include "history/clip_side_file.h"
#include "history/history_streams.h"
#include "history/record_file.h"
#include "settings/ignored_programs.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

std::string question_asked;
int answer = IDYES;

// Once the question is up, notes what it asks and answers it: Enter takes the default
// button, any other answer is clicked.
void CALLBACK answer_question(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowA("#32770", "dovane_clip");
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  char text[512] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  question_asked = text;
  if (answer == IDOK) {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(GetFocus(), WM_KEYUP, VK_RETURN, 0);
  } else {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  }
}

class forget_history_test : public app_test {
 protected:
  void answer_next_question(int button) {
    question_asked.clear();
    answer = button;
    SetTimer(nullptr, 0, 50, answer_question);
  }
  // The current genre's first block, as the default settings name it.
  static std::string drawer_file(int drawer) {
    return drawer == 0 ? "_special.txt" : "_special" + std::to_string(drawer) + ".txt";
  }
  // Every file of the folder that holds bytes, but for the ones named.
  static std::vector<std::string> files_holding(const std::string& bytes, const std::vector<std::string>& but) {
    std::vector<std::string> holding;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*", &found);
    do {
      const std::string name = found.cFileName;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
      bool skipped = false;
      for (const std::string& other : but) skipped = skipped || other == name;
      if (!skipped && read_file(name.c_str()).find(bytes) != std::string::npos) holding.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return holding;
  }
  static std::string status_line() {
    char status[status_line_size];
    format_status_line(status, sizeof status);
    return status;
  }
};

// The drawer holding the text is one of the current genre's or of another genre's.
class forget_beside_a_drawer_test : public forget_history_test, public ::testing::WithParamInterface<const char*> {};

TEST_P(forget_beside_a_drawer_test, delete_and_enter_in_the_find_window_forget_the_clip_everywhere_but_in_the_drawers) {
  const std::string drawer = GetParam();
  write_file("dovane_clip.ini", std::string(history_on_settings()) + "[special]\r\n1=special\r\n2=work\r\n");
  write_file("_clip.txt", records_on_disk({"a", "pin 4711", "b", "pin 4711", "c"}));
  write_file("1_clip_bak.txt", records_on_disk({"old", "pin 4711"}));
  write_file("_recycle.txt", records_on_disk({"pin 4711"}));
  write_file("_recycle_index.txt", "4\r\n");
  write_file(drawer.c_str(), records_on_disk({"pin 4711"}));
  start_app();
  copy_from_other_program("pin 4711");
  choose_history_record(5);
  ASSERT_STREQ(clip_text, "c");
  copy_from_other_program("pin 4711");
  ASSERT_EQ(clipboard_text(), "pin 4711");
  clip_time captured;
  ASSERT_TRUE(time_of("pin 4711", captured));

  open_find_window();
  HWND edit = GetDlgItem(find_window(), 1);
  SetWindowTextA(edit, "4711");
  SendMessageA(edit, EM_SETSEL, 4, 4);
  for (int wait = 0; wait < 100 && find_window_busy(); ++wait) {
    pump();
    Sleep(10);
  }
  answer_next_question(IDOK);
  SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
  finish_forgetting();

  EXPECT_NE(question_asked.find("この記録を履歴から消しますか"), std::string::npos);
  EXPECT_NE(question_asked.find("引出にも同じ文があります"), std::string::npos);
  EXPECT_EQ(files_holding("pin 4711", {drawer}), std::vector<std::string>{});
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"a", "b", "c"}));
  EXPECT_EQ(read_file("1_clip_bak.txt"), records_on_disk({"old"}));
  EXPECT_EQ(read_file("_recycle.txt"), records_on_disk({"c"}));
  EXPECT_EQ(read_file("_recycle_index.txt"), "3\r\n");
  EXPECT_EQ(read_file(drawer.c_str()), records_on_disk({"pin 4711"}));
  EXPECT_EQ(history_count, 3);
  EXPECT_EQ(current_index, 3) << "the record on show is still c";
  EXPECT_STREQ(clip_text, "c");
  EXPECT_EQ(window_text(clip_edit), "c");
  EXPECT_EQ(window_text(main_window).find("pin"), std::string::npos);
  EXPECT_EQ(std::string(tray_icon.tip()).find("pin"), std::string::npos);
  EXPECT_EQ(clipboard_text(), "");
  EXPECT_EQ(menu_labels(history_menu, 1), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(menu_labels(recycle_menu, 1), std::vector<std::string>{"c"});
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), std::vector<std::string>{});
  EXPECT_NE(status_line().find("6 件の記録を 5 個のファイルから消しました"), std::string::npos) << status_line();
  // The drawer keeps the text, and with it its capture time.
  clip_time kept;
  EXPECT_TRUE(time_of("pin 4711", kept));
  // Steps go over the records that are left.
  SendMessageA(main_window, WM_LBUTTONDOWN, 0, 0);
  EXPECT_STREQ(clip_text, "b");
  SendMessageA(main_window, WM_LBUTTONDOWN, 0, 0);
  EXPECT_STREQ(clip_text, "a");
  DestroyWindow(find_window());
}
INSTANTIATE_TEST_SUITE_P(genres, forget_beside_a_drawer_test, ::testing::Values("_special3.txt", "_1work3.txt"));

TEST_F(forget_history_test, the_record_on_show_is_forgotten_only_when_the_user_agrees) {
  write_file("dovane_clip.ini", history_on_settings());
  write_file("_clip.txt", records_on_disk({"a"}));
  start_app();
  copy_from_other_program("card 4000 1234");
  copy_from_other_program("b");
  clip_time captured;
  ASSERT_TRUE(time_of("card 4000 1234", captured));
  choose_history_record(2);
  answer_next_question(IDNO);
  command(CMD_FORGET_RECORD);
  EXPECT_EQ(question_asked, "この記録を履歴から消しますか");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"a", "card 4000 1234", "b"}));

  answer_next_question(IDOK);
  command(CMD_FORGET_RECORD);
  finish_forgetting();
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"a", "b"}));
  EXPECT_EQ(read_file("_recycle.txt"), "");
  EXPECT_EQ(read_file("_recycle_index.txt"), "");
  EXPECT_EQ(current_index, 2);
  EXPECT_STREQ(clip_text, "b");
  EXPECT_TRUE(files_holding("card 4000", {}).empty());
  // Nothing keeps the text, so nothing is kept beside it either.
  EXPECT_FALSE(time_of("card 4000 1234", captured));
}

TEST_F(forget_history_test, clearing_empties_every_kept_file_and_list_and_leaves_drawers_and_settings) {
  write_file("dovane_clip.ini", history_on_settings());
  write_file("_clip.txt", records_on_disk({"a", "b"}));
  write_file("3_clip_bak.txt", records_on_disk({"old"}));
  write_file(drawer_file(0).c_str(), records_on_disk({"phrase"}));
  start_app();
  copy_from_other_program("c");
  choose_history_record(1);
  answer_next_question(IDYES);
  command(CMD_CLEAR_HISTORY);
  EXPECT_NE(question_asked.find("履歴をすべて消しますか"), std::string::npos);
  for (const char* name : {"_clip.txt", "3_clip_bak.txt", "_recycle.txt", "_recycle_index.txt", "tmpclipsave.txt"})
    EXPECT_EQ(read_file(name), "") << name;
  EXPECT_EQ(read_file(drawer_file(0).c_str()), records_on_disk({"phrase"}));
  EXPECT_NE(read_file("dovane_clip.ini").find("save=history"), std::string::npos);
  EXPECT_EQ(history_count, 0);
  EXPECT_EQ(menu_labels(history_menu, 1), std::vector<std::string>{});
  EXPECT_EQ(menu_labels(recycle_menu, 1), std::vector<std::string>{});
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), std::vector<std::string>{});
  EXPECT_EQ(menu_labels(drawer_menus[0], 1), std::vector<std::string>{"phrase"});
  copy_from_other_program("after");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"after"}));
  EXPECT_EQ(menu_labels(history_menu, 1), std::vector<std::string>{"after"});
}

TEST_F(forget_history_test, clips_of_a_program_named_in_ignore_are_kept_nowhere) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string program = std::strrchr(path, '\\') != nullptr ? std::strrchr(path, '\\') + 1 : path;
  // The setting's case need not be the file's.
  for (char& c : program)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  write_file("dovane_clip.ini", std::string(history_on_settings()) + "ignore=putty.exe; " + program + "\r\n");
  start_app();
  struct ignore_case {
    std::string setting;  // null: as the settings file gave it
    bool kept;
  };
  const ignore_case cases[] = {{"", false}, {"putty.exe", true}, {"", true}, {program, false}};
  for (std::size_t n = 0; n < sizeof cases / sizeof cases[0]; ++n) {
    const ignore_case& c = cases[n];
    if (n > 0) std::snprintf(ignored_programs, sizeof ignored_programs, "%s", c.setting.c_str());
    SCOPED_TRACE(ignored_programs);
    const std::string before = read_file("_clip.txt");
    const std::vector<std::string> ring_before = menu_labels(ring_menu, first_ring_entry);
    const std::string copied = "from the terminal " + std::to_string(n);
    copy_from_other_program(copied);
    EXPECT_EQ(read_file("_clip.txt") == before, !c.kept);
    EXPECT_EQ(menu_labels(ring_menu, first_ring_entry) == ring_before, !c.kept);
    EXPECT_EQ(window_text(main_window).find(copied) == std::string::npos, !c.kept);
  }
}

TEST_F(forget_history_test, the_clipboard_is_emptied_only_when_it_holds_the_forgotten_text) {
  write_file("dovane_clip.ini", history_on_settings());
  start_app();
  struct clipboard_case {
    const char* name;
    UINT format;             // as the other program puts the copy; 0: chosen again from the history
    const char16_t* unicode; // the copy, for CF_UNICODETEXT
    const char* sjis;        // the copy as kept, and for CF_TEXT
    const char* forgotten;
    bool emptied;
  };
  // Under code page 1252 the CF_TEXT the system makes from a Unicode copy is all '?'.
  const clipboard_case cases[] = {
      {"unicode copy", CF_UNICODETEXT, u"暗証番号 4711", "暗証番号 4711", "暗証番号 4711", true},
      {"ansi copy", CF_TEXT, nullptr, "pin 4711", "pin 4711", true},
      {"put back by the program", 0, nullptr, "card 4000", "card 4000", true},
      {"another text on the clipboard", CF_TEXT, nullptr, "kept 1", "pin 4711", false},
  };
  for (const clipboard_case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.format == CF_UNICODETEXT) {
      const std::u16string units = c.unicode;
      ASSERT_TRUE(OpenClipboard(other_window_ != nullptr ? other_window_ : make_plain_window("other program")));
      EmptyClipboard();
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (units.size() + 1) * sizeof(char16_t));
      std::memcpy(GlobalLock(memory), units.c_str(), (units.size() + 1) * sizeof(char16_t));
      GlobalUnlock(memory);
      SetClipboardData(CF_UNICODETEXT, memory);
      CloseClipboard();
      pump();
    } else {
      copy_from_other_program(c.sjis);
    }
    if (c.format == 0) choose_history_record(history_count);
    ASSERT_EQ(read_file("_clip.txt").find(c.sjis) != std::string::npos, true);
    forget_and_show(c.forgotten);
    finish_forgetting();
    EXPECT_EQ(CountClipboardFormats() == 0, c.emptied);
    EXPECT_EQ(read_file("_clip.txt").find(c.forgotten), std::string::npos);
  }
}

}  // namespace
