// The shortcut's two settings keys and the refusal of a key another program holds.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/shortcut_menu.h"
#include "app/status_note.h"
#include "app/tray_icon.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "tests/win32/app_fixture.h"

namespace {

using shortcut_test = app_test;

TEST_F(shortcut_test, the_shortcut_and_paste_keys_are_read_written_and_removed_leaving_other_keys_as_they_were) {
  const std::string before = "[init]\r\nback num=0\r\nmax=500\r\nhis max=10\r\nmode=DOVANE\r\nsave=no-history\r\n";
  const std::string after = "spname=1\r\ntagA=<b>\r\n";
  const std::string special = "[special]\r\n1=special\r\n";
  write_file("dovane_clip.ini", before + "hotkey= shift + ctrl + f2\r\npaste=1\r\n" + after + special);
  start_app();
  EXPECT_EQ(shortcut_key.modifiers, hotkey_control | hotkey_shift);
  EXPECT_EQ(shortcut_key.key, 0x71u);
  EXPECT_EQ(paste_on_choice, 1);
  ASSERT_TRUE(save_settings());
  EXPECT_EQ(read_file("dovane_clip.ini"), before + "hotkey=Ctrl+Shift+F2\r\npaste=1\r\n" + after + special);

  shortcut_key = hotkey{0, 0};
  paste_on_choice = 0;
  ASSERT_TRUE(save_settings());
  EXPECT_EQ(read_file("dovane_clip.ini"), before + after + special);

  write_file("dovane_clip.ini", before + "hotkey=Ctrl+Ctrl+V\r\npaste=yes\r\n" + after + special);
  load_settings();
  EXPECT_EQ(shortcut_key.key, 0u) << "a name that does not read leaves no shortcut";
  EXPECT_EQ(paste_on_choice, 0);
}

// What the user wrote stays in the file, the start says once that it was not understood,
// and no shortcut is registered; choosing another shortcut replaces it.
TEST_F(shortcut_test, a_shortcut_that_does_not_read_is_kept_said_once_and_left_off) {
  write_file("dovane_clip.ini", "[init]\r\nhotkey=Ctrl+Ctrl+V\r\n");
  start_app();
  const int balloons = tray_icon.balloons_shown();
  start_shortcut();
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);
  EXPECT_NE(std::string(status_note()).find("Ctrl+Ctrl+V"), std::string::npos);
  EXPECT_EQ(shortcut_key.key, 0u);
  EXPECT_FALSE(UnregisterHotKey(main_window, 1));
  copy_from_other_program("a clip");
  ASSERT_TRUE(save_settings());
  EXPECT_EQ(ini_value("init", "hotkey"), "Ctrl+Ctrl+V");
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);

  choose_shortcut_key(hotkey{0, 0});
  ASSERT_TRUE(save_settings());
  EXPECT_EQ(ini_value("init", "hotkey"), "<missing>");
}

// Another program's thread holding a key until the test ends.
class key_holder {
 public:
  explicit key_holder(UINT key) : key_(key), ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
                                  done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = CreateThread(nullptr, 0, hold, this, 0, nullptr);
    WaitForSingleObject(ready_, 5000);
  }
  ~key_holder() {
    SetEvent(done_);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(ready_);
    CloseHandle(done_);
  }
  bool held() const { return held_; }

 private:
  static DWORD WINAPI hold(void* self_address) {
    auto* self = static_cast<key_holder*>(self_address);
    self->held_ = RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, self->key_) != 0;
    SetEvent(self->ready_);
    WaitForSingleObject(self->done_, INFINITE);
    if (self->held_) UnregisterHotKey(nullptr, 1);
    return 0;
  }
  UINT key_;
  HANDLE ready_, done_, thread_;
  bool held_ = false;
};

TEST_F(shortcut_test, a_key_another_program_holds_is_refused_with_a_balloon_naming_it_and_the_key_before_stays) {
  key_holder other_program(VK_F11);
  ASSERT_TRUE(other_program.held());
  write_file("dovane_clip.ini", "[init]\r\nhotkey=Ctrl+Shift+F11\r\n");
  start_app();
  const int shown = tray_icon.balloons_shown();
  start_shortcut();
  EXPECT_EQ(tray_icon.balloons_shown(), shown + 1);
  EXPECT_STREQ(tray_icon.last_balloon(), "ショートカット Ctrl+Shift+F11 は他のプログラムが使っています");

  const hotkey free_key{hotkey_control | hotkey_shift, VK_F12};
  ASSERT_TRUE(register_shortcut(free_key));
  EXPECT_FALSE(register_shortcut(hotkey{hotkey_control | hotkey_shift, VK_F11}));
  EXPECT_EQ(tray_icon.balloons_shown(), shown + 2);
  EXPECT_FALSE(RegisterHotKey(nullptr, 9, MOD_CONTROL | MOD_SHIFT, VK_F12)) << "the key before is still ours";
  EXPECT_TRUE(register_shortcut(hotkey{0, 0}));
  EXPECT_TRUE(RegisterHotKey(nullptr, 9, MOD_CONTROL | MOD_SHIFT, VK_F12)) << "no shortcut holds no key";
  UnregisterHotKey(nullptr, 9);
}

}  // namespace
