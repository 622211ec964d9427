// Starts the real main window in-process, in a fresh scratch folder, the way the entry
// point does, and gives tests the verbs a user's actions cause.
#pragma once
#include <windows.h>

#include <string>

#include "app/ui_text.h"
#include "tests/support/scratch_dir.h"

class app_test : public scratch_dir_test {
 protected:
  // The clipboard outlives each test process; every test starts with an empty one.
  void SetUp() override;
  void TearDown() override;
  // Registers the class, creates the hidden main window (running the create sequence)
  // and adds the tray icon, as the entry point does.
  void start_app();
  // Ends the program as the close box does: the window is destroyed.
  void close_app();
  void command(int id, int notification = 0, HWND from = nullptr);
  // Dispatches pending messages of this thread, through the accelerators as the loop does.
  void pump();
  // Puts text on the clipboard as another program would; the main window sees it at once.
  void copy_from_other_program(const std::string& text);
  void copy_unicode_from_other_program(const std::wstring& text);
  std::string clipboard_text();
  std::string window_text(HWND window);
  std::string ini_value(const char* section, const char* key);
  // Replaces an edit's whole text as typing does, which marks the edit changed.
  void type_into(HWND edit, const std::string& sjis);
  // Makes text the current clip without going through the clipboard.
  void set_current_clip(const char* text);

  HWND other_window_ = nullptr;
  HACCEL accelerators_ = nullptr;
  bool started_ = false;
};

// Leaves the clipboard empty, so a start-up has nothing to capture.
void empty_clipboard();

// A menu item's text (item by position or identifier, as flags say), read as Unicode and
// given as Shift_JIS, so the same texts read back on every code page.
std::string menu_string(HMENU menu, UINT item, UINT flags);

// A second top-level window of this thread, used as another program's clipboard owner.
HWND make_plain_window(const char* title);

// Where a child of the main window lies, in the main window's client coordinates.
RECT rect_in_main_window(HWND child);

// A timer procedure: once a popup menu is open, notes where it is and closes it, so the
// test is not left inside the menu's own loop.
void CALLBACK close_popup_once_shown(HWND, UINT, UINT_PTR timer, DWORD);
extern bool popup_seen;
extern RECT shown_popup_rect;

// The control shows the whole text in the font it draws with.
void expect_fits(HWND control, const std::string& text, const char* where);
