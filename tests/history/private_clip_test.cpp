#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/tray_icon.h"
#include "history/capture.h"
#include "history/history_streams.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

struct marker {
  const char* format;
  DWORD value;
  bool is_private;
};

class private_clip_test : public app_test {
 protected:
  void start_saving_history() {
    write_file("dovane_clip.ini", history_on_settings());
    start_app();
  }
  // Puts text with a marker format beside it, as a password manager does.
  void copy_marked(const std::string& text, const marker& m) {
    HWND owner = make_plain_window("password manager");
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, global_copy(text.c_str(), text.size() + 1));
    SetClipboardData(RegisterClipboardFormatA(m.format), global_copy(&m.value, sizeof m.value));
    CloseClipboard();
    pump();
    DestroyWindow(owner);
  }
};

const marker markers[] = {
    {"ExcludeClipboardContentFromMonitorProcessing", 1, true},
    {"CanIncludeInClipboardHistory", 0, true},
    {"Clipboard Viewer Ignore", 0, true},
    {"CanIncludeInClipboardHistory", 1, false},
};

TEST_F(private_clip_test, marked_clips_are_kept_and_shown_nowhere) {
  start_saving_history();
  for (const marker& m : markers) {
    SCOPED_TRACE(std::string(m.format) + (m.value != 0 ? " = 1" : ""));
    copy_from_other_program("visible");
    const std::string history_before = read_file("_clip.txt");
    const std::vector<std::string> ring_before = menu_labels(ring_menu, first_ring_entry);
    const int count_before = history_count;
    const std::string secret = std::string("secret for ") + m.format + (m.value != 0 ? " 1" : " 0");
    copy_marked(secret, m);
    if (!m.is_private) {
      EXPECT_STREQ(clip_text, secret.c_str());
      EXPECT_EQ(history_count, count_before + 1);
      continue;
    }
    EXPECT_EQ(read_file("_clip.txt"), history_before);
    EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), ring_before);
    EXPECT_EQ(history_count, count_before);
    EXPECT_STREQ(clip_text, "visible");
    EXPECT_STREQ(previous_clip, "visible");
    EXPECT_EQ(window_text(clip_edit), "visible");
    EXPECT_EQ(window_text(main_window), "visible [どばね]");
    EXPECT_STREQ(tray_icon.tip(), "visible");
    // Put again without the mark, the same text is an ordinary new clip.
    copy_from_other_program(secret);
    EXPECT_STREQ(clip_text, secret.c_str());
    EXPECT_EQ(history_count, count_before + 1);
  }
}

TEST_F(private_clip_test, a_marked_clip_neither_makes_nor_spoils_a_link_tag) {
  start_saving_history();
  copy_from_other_program("http://example.jp/");
  copy_marked("hunter2", markers[0]);
  EXPECT_EQ(read_file("taglink.txt"), "");
  copy_from_other_program("caption");
  EXPECT_EQ(read_file("taglink.txt"), "<a href=\"http://example.jp/\">caption</a>\r\n");
}

int forwarded = 0;
LRESULT CALLBACK counting_viewer(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DRAWCLIPBOARD) ++forwarded;
  return DefWindowProcA(window, message, wparam, lparam);
}

TEST_F(private_clip_test, a_marked_clip_is_still_passed_along_and_restarts_the_timer) {
  WNDCLASSA viewer_class{};
  viewer_class.lpfnWndProc = counting_viewer;
  viewer_class.hInstance = GetModuleHandleA(nullptr);
  viewer_class.lpszClassName = "dovane_test_private_viewer";
  RegisterClassA(&viewer_class);
  HWND viewer = CreateWindowExA(0, "dovane_test_private_viewer", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND after_viewer = SetClipboardViewer(viewer);
  start_saving_history();
  SendMessageA(main_window, WM_TIMER, capture_timer_id, 0);
  forwarded = 0;
  copy_marked("hunter2", markers[0]);
  EXPECT_EQ(forwarded, 1);
  EXPECT_EQ(capture_timer_on, 1);
  close_app();
  ChangeClipboardChain(viewer, after_viewer);
  DestroyWindow(viewer);
}

}  // namespace
