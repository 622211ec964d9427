// The fonts the prefix set-up gives the program. Every label, button and check box must
// show its whole text: each control's text is measured with the font the control really
// draws with, against the room the control has.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "settings/ui_texts.h"
#include "tests/win32/app_fixture.h"

namespace {

INT_PTR CALLBACK passive_dialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct dialog_name {
  const char* label;
  LPCSTR name;
};

void PrintTo(const dialog_name& d, std::ostream* out) { *out << d.label; }

class dialog_text_fit : public ::testing::TestWithParam<dialog_name> {};

TEST_P(dialog_text_fit, every_label_and_button_shows_its_whole_text) {
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), GetParam().name, nullptr, passive_dialog, 0);
  ASSERT_NE(dialog, nullptr);
  int checked = 0;
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    char text[256];
    GetClassNameA(c, text, sizeof text);
    if (lstrcmpiA(text, "button") != 0 && lstrcmpiA(text, "static") != 0) continue;
    expect_fits(c, window_text_sjis(c), GetParam().label);
    ++checked;
  }
  EXPECT_GT(checked, 0);
  DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(all, dialog_text_fit,
                         ::testing::Values(dialog_name{"SPDLG", "SPDLG"}, dialog_name{"TAGLINK", "TAGLINK"},
                                           dialog_name{"version", MAKEINTRESOURCEA(DLG_VERSION)}),
                         [](const ::testing::TestParamInfo<dialog_name>& info) {
                           return std::string(info.param.label);
                         });

using main_window_text_fit = app_test;

// The affix buttons carry a longer label while their window is open; both must fit.
TEST_F(main_window_text_fit, the_three_buttons_show_every_label_they_carry) {
  start_app();
  command(CMD_OPEN_WINDOW);
  const struct {
    HWND button;
    std::vector<const char*> labels;
  } buttons[] = {
      {start_button, {start_label, start_on_label}},
      {end_button, {end_label, end_on_label}},
      {reset_button, {reset_label}},
  };
  for (const auto& b : buttons)
    for (const char* label : b.labels) expect_fits(b.button, label, "main window");
}

int CALLBACK count_font(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return 1;
}

// Caption buttons, scroll arrows and check marks are glyphs of this font; without it the
// title bars show the letters "0 1 r".
TEST(caption_buttons, have_their_symbol_font) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, "Marlett", LF_FACESIZE);
  int found = 0;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExA(dc, &wanted, count_font, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  EXPECT_GT(found, 0);
}

}  // namespace
