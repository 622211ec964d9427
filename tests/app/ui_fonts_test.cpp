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

struct measured {
  std::string text;
  SIZE needed;
  RECT room;
};

// A control that was never given a font draws with the system font.
measured measure(HWND control, const char* text) {
  measured m{text, {0, 0}, {0, 0, 0, 0}};
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, font);
  GetTextExtentPoint32A(dc, text, static_cast<int>(m.text.size()), &m.needed);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  GetClientRect(control, &m.room);
  return m;
}

bool has_text_to_fit(HWND control) {
  char window_class[32];
  GetClassNameA(control, window_class, sizeof window_class);
  return lstrcmpiA(window_class, "button") == 0 || lstrcmpiA(window_class, "static") == 0;
}

void expect_fits(const measured& m, const std::string& where) {
  EXPECT_LE(m.needed.cx, m.room.right) << where << " \"" << m.text << "\" is cut at the right";
  EXPECT_LE(m.needed.cy, m.room.bottom) << where << " \"" << m.text << "\" is cut at the bottom";
}

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
    if (!has_text_to_fit(c)) continue;
    char text[256];
    GetWindowTextA(c, text, sizeof text);
    expect_fits(measure(c, text), GetParam().label);
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
    for (const char* label : b.labels) expect_fits(measure(b.button, label), "main window");
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
