#include "tests/win32/app_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/entry.h"
#include "app/first_start.h"
#include "app/message_route.h"
#include "app/res/resource_ids.h"
#include "app/tray_icon.h"
#include "app/ui_text.h"
#include "history/record_file.h"
#include "settings/settings_file.h"
#include "settings/ui_texts.h"

HWND make_plain_window(const char* title) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA plain{};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = GetModuleHandleA(nullptr);
    plain.lpszClassName = "dovane_test_plain";
    RegisterClassA(&plain);
    registered = true;
  }
  return CreateWindowExA(0, "dovane_test_plain", title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

std::string menu_string(HMENU menu, UINT item, UINT flags) {
  wchar_t label[512] = {};
  GetMenuStringW(menu, item, label, 512, flags);
  return sjis_from_wide(label);
}

RECT rect_in_main_window(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, main_window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool popup_seen = false;
RECT shown_popup_rect{-1, -1, -1, -1};

namespace {
BOOL CALLBACK note_open_popup(HWND window, LPARAM) {
  char window_class[16];
  GetClassNameA(window, window_class, sizeof window_class);
  if (std::strcmp(window_class, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  popup_seen = true;
  GetWindowRect(window, &shown_popup_rect);
  return TRUE;
}
}  // namespace

void CALLBACK close_popup_once_shown(HWND, UINT, UINT_PTR timer, DWORD) {
  EnumWindows(note_open_popup, 0);
  if (!popup_seen) return;
  KillTimer(nullptr, timer);
  EndMenu();
}

void empty_clipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

void app_test::SetUp() {
  scratch_dir_test::SetUp();
  empty_clipboard();
  popup_seen = false;
  shown_popup_rect = RECT{-1, -1, -1, -1};
}

void app_test::start_app() {
  HINSTANCE module = GetModuleHandleA(nullptr);
  set_ui_texts();
  // A test may start the program again after closing it, as the user does.
  UnregisterClassW(main_class_name, module);
  ASSERT_TRUE(register_main_class(module));
  instance = module;
  create_main_window(module);
  ASSERT_NE(main_window, nullptr);
  add_tray_icon(module, false);
  accelerators_ = LoadAcceleratorsW(module, L"dovane_clip");
  started_ = true;
  pump();
}

void app_test::close_app() {
  if (main_window != nullptr && IsWindow(main_window)) DestroyWindow(main_window);
  pump();
}

void app_test::TearDown() {
  if (started_) close_app();
  if (other_window_ != nullptr) DestroyWindow(other_window_);
  scratch_dir_test::TearDown();
}

void app_test::command(int id, int notification, HWND from) {
  SendMessageW(main_window, WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(from));
}

void app_test::pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    route_message(message, main_window != nullptr ? accelerators_ : nullptr);
  }
}

namespace {
void copy_bytes_as(HWND owner, UINT format, const void* bytes, size_t size) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  SetClipboardData(format, memory);
  CloseClipboard();
}
}  // namespace

void app_test::copy_from_other_program(const std::string& text) {
  if (other_window_ == nullptr) other_window_ = make_plain_window("other program");
  copy_bytes_as(other_window_, CF_TEXT, text.c_str(), text.size() + 1);
  pump();
}

void app_test::copy_unicode_from_other_program(const std::wstring& text) {
  if (other_window_ == nullptr) other_window_ = make_plain_window("other program");
  copy_bytes_as(other_window_, CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  pump();
}

std::string app_test::clipboard_text() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data != nullptr) {
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (bytes != nullptr) text = bytes;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::string app_test::window_text(HWND window) { return window_text_sjis(window); }

std::string app_test::ini_value(const char* section, const char* key) {
  char value[512];
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ".\\dovane_clip.ini");
  return value;
}

void app_test::type_into(HWND edit, const std::string& sjis) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide_from_sjis(sjis).c_str()));
}

void app_test::set_current_clip(const char* text) { std::snprintf(clip_text, clip_size, "%s", text); }

// A control that was never given a font draws with the system font.
void expect_fits(HWND control, const std::string& text, const char* where) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  SIZE needed{};
  // Measured as the control draws it, in UTF-16, whatever the code page.
  const std::wstring wide = wide_from_sjis(text);
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &needed);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  RECT room;
  GetClientRect(control, &room);
  EXPECT_LE(needed.cx, room.right) << where << " \"" << text << "\" is cut at the right";
  EXPECT_LE(needed.cy, room.bottom) << where << " \"" << text << "\" is cut at the bottom";
}
