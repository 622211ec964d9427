#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

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
  // The first bytes of a clipboard format, as any program reads them.
  static std::string bytes_on_clipboard(UINT format, size_t size) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    HANDLE data = GetClipboardData(format);
    if (const char* block = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
      bytes.assign(block, std::min<size_t>(size, GlobalSize(data)));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
  }
  // The owner's formats come first, in the order it set them; the system's follow.
  static std::vector<UINT> formats_listed() {
    std::vector<UINT> formats;
    if (!OpenClipboard(nullptr)) return formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
      formats.push_back(format);
    CloseClipboard();
    return formats;
  }
};

TEST_F(clipboard_text_test, unicode_text_is_stored_as_shift_jis_with_its_losses_counted_and_left_on_the_clipboard) {
  const std::u16string copied = u"\u301C\u2014\u2016\u2212\u2460\u3231\u9AD9\U0001F600\u00E9";
  HWND other = put_one_format(CF_UNICODETEXT, copied.c_str(), (copied.size() + 1) * sizeof(char16_t));
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"\x81\x60\x81\x5C\x81\x61\x81\x7C①㈱髙??"}));
  EXPECT_STREQ(status_note(), "Shift_JIS にない文字 2 字は ? で保存しました");
  EXPECT_EQ(GetClipboardOwner(), other);
  const std::string copied_bytes(reinterpret_cast<const char*>(copied.c_str()), (copied.size() + 1) * 2);
  EXPECT_EQ(bytes_on_clipboard(CF_UNICODETEXT, copied_bytes.size()), copied_bytes);
  // Put back, it is the text as copied again, beside its Shift_JIS.
  command(7);
  EXPECT_EQ(bytes_on_clipboard(CF_UNICODETEXT, copied_bytes.size()), copied_bytes);
  EXPECT_EQ(clipboard_text(), "\x81\x60\x81\x5C\x81\x61\x81\x7C①㈱髙??");
  // The note is about the last clip kept: the same clip again keeps it, a whole one ends it.
  put_one_format(CF_UNICODETEXT, copied.c_str(), (copied.size() + 1) * sizeof(char16_t));
  EXPECT_STREQ(status_note(), "Shift_JIS にない文字 2 字は ? で保存しました");
  copy_from_other_program("whole");
  EXPECT_STREQ(status_note(), "");
}

TEST_F(clipboard_text_test, an_empty_unicode_text_leaves_the_current_clip_as_it_was) {
  copy_from_other_program("kept clip");
  for (size_t units : {1, 0}) {
    const char16_t empty[1] = {u'\0'};
    put_one_format(CF_UNICODETEXT, empty, units * sizeof(char16_t));
    EXPECT_STREQ(clip_text, "kept clip") << units;
  }
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"kept clip"}));
}

TEST_F(clipboard_text_test, ansi_text_is_stored_byte_for_byte_and_goes_out_readable_by_unicode_programs) {
  const char nec_and_jis[] = "\x87\x90\x81\xE0";
  put_one_format(CF_TEXT, nec_and_jis, sizeof nec_and_jis);
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({nec_and_jis}));
  EXPECT_STREQ(status_note(), "");
  command(7);
  EXPECT_EQ(clipboard_text(), nec_and_jis);
  EXPECT_EQ(bytes_on_clipboard(CF_UNICODETEXT, 6), std::string("\x52\x22\x52\x22\0\0", 6));
  EXPECT_EQ(bytes_on_clipboard(CF_LOCALE, 4), std::string("\x11\x04\0\0", 4));
  const std::vector<UINT> formats = formats_listed();
  EXPECT_EQ(std::vector<UINT>(formats.begin(), formats.begin() + std::min<size_t>(3, formats.size())),
            (std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, CF_LOCALE}));
  // Our own output, read back as it went out, is still the clip byte for byte.
  EXPECT_STREQ(clip_text, nec_and_jis);
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({nec_and_jis}));
}

}  // namespace
