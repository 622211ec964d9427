#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/status_note.h"
#include "history/record_file.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

class clipboard_text_test : public app_test {
 protected:
  void SetUp() override {
    app_test::SetUp();
    write_file("dovane_clip.ini", history_on_settings());
    start_app();
  }
  // Another program puts one format only, as a Unicode or an ANSI program does.
  HWND put_one_format(UINT format, const void* bytes, size_t size) {
    HWND other = make_plain_window("other program");
    EXPECT_TRUE(OpenClipboard(other));
    EmptyClipboard();
    SetClipboardData(format, global_copy(bytes, size));
    CloseClipboard();
    pump();
    return other;
  }
  static std::u16string unicode_on_clipboard() {
    std::u16string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      text = static_cast<const char16_t*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
  }
  static DWORD locale_on_clipboard() {
    DWORD locale = 0;
    if (!OpenClipboard(nullptr)) return locale;
    if (HANDLE data = GetClipboardData(CF_LOCALE)) {
      locale = *static_cast<const DWORD*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return locale;
  }
};

TEST_F(clipboard_text_test, unicode_text_is_stored_as_shift_jis_with_its_losses_counted_and_left_on_the_clipboard) {
  const std::u16string copied = u"\u301C\u2014\u2016\u2212\u2460\u3231\u9AD9\U0001F600\u00E9";
  HWND other = put_one_format(CF_UNICODETEXT, copied.c_str(), (copied.size() + 1) * sizeof(char16_t));
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"\x81\x60\x81\x5C\x81\x61\x81\x7C①㈱髙??"}));
  EXPECT_STREQ(status_note(), "Shift_JIS にない文字 2 字は ? で保存しました");
  EXPECT_EQ(GetClipboardOwner(), other);
  EXPECT_EQ(unicode_on_clipboard(), copied);
  // The note is about the last clip kept: the same clip again keeps it, a whole one ends it.
  put_one_format(CF_UNICODETEXT, copied.c_str(), (copied.size() + 1) * sizeof(char16_t));
  EXPECT_STREQ(status_note(), "Shift_JIS にない文字 2 字は ? で保存しました");
  copy_from_other_program("whole");
  EXPECT_STREQ(status_note(), "");
}

TEST_F(clipboard_text_test, ansi_text_is_stored_byte_for_byte_and_goes_out_readable_by_unicode_programs) {
  const char nec_and_jis[] = "\x87\x90\x81\xE0";
  put_one_format(CF_TEXT, nec_and_jis, sizeof nec_and_jis);
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({nec_and_jis}));
  EXPECT_STREQ(status_note(), "");
  command(7);
  EXPECT_EQ(clipboard_text(), nec_and_jis);
  EXPECT_EQ(unicode_on_clipboard(), u"\u2252\u2252");
  EXPECT_EQ(locale_on_clipboard(), 0x0411u);
  // Our own output, read back as it went out, is still the clip byte for byte.
  EXPECT_STREQ(clip_text, nec_and_jis);
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({nec_and_jis}));
}

}  // namespace
