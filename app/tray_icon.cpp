#include "app/tray_icon.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "app/app_state.h"
#include "app/clip_display.h"
#include "app/ui_text.h"
#include "text/menu_label.h"
#include "text/sjis.h"
#include "history/maintenance.h"
#include "history/record_file.h"

tray_icon_object tray_icon;

namespace {
// Copies text into the field of size units; Shift_JIS never takes fewer bytes than units.
template <std::size_t size>
void copy_wide(wchar_t (&field)[size], const char* text) {
  const std::wstring wide = wide_from_sjis(text);
  const std::size_t length = wide.size() < size ? wide.size() : size - 1;
  std::wmemcpy(field, wide.data(), length);
  field[length] = L'\0';
}
}  // namespace

tray_icon_object::tray_icon_object() : data_{}, added_(0), tip_{}, balloon_{}, shown_balloon_{}, notice_text_{}, balloons_shown_(0) {
  data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
}

tray_icon_object::~tray_icon_object() {
  if (added_ == 1) remove();
}

int tray_icon_object::set(HWND owner, UINT id, UINT callback_message, HICON icon, const char* tip) {
  if (added_ == 1) remove();
  data_.hWnd = owner;
  data_.uID = id;
  data_.uCallbackMessage = callback_message;
  data_.hIcon = icon;
  data_.uFlags = (callback_message != 0 ? NIF_MESSAGE : 0) | (icon != nullptr ? NIF_ICON : 0) |
                 (tip != nullptr ? NIF_TIP : 0);
  make_display_text(tip != nullptr ? tip : "", sizeof tip_ - 1, ' ', tip_);
  copy_wide(data_.szTip, tip_);
  return 1;
}

int tray_icon_object::add() {
  if (added_ == 1) return modify();
  if (!Shell_NotifyIconW(NIM_ADD, &data_)) return 0;
  added_ = 1;
  return 1;
}

int tray_icon_object::modify() {
  if (added_ == 1) return Shell_NotifyIconW(NIM_MODIFY, &data_);
  return add();
}

int tray_icon_object::remove() {
  if (!Shell_NotifyIconW(NIM_DELETE, &data_)) return 0;
  added_ = 0;
  return 1;
}

int tray_icon_object::set_tip(const char* text, bool update) {
  data_.uFlags |= NIF_TIP;
  // The tip holds 63 bytes as it always did: one line, whole characters.
  make_display_text(text, sizeof tip_ - 1, ' ', tip_);
  const std::wstring shown = clip_display(text, sizeof tip_ - 1, ' ');
  lstrcpynW(data_.szTip, shown.c_str(), static_cast<int>(sizeof data_.szTip / sizeof data_.szTip[0]));
  if (update) modify();
  return 1;
}

int tray_icon_object::add_again() {
  if (data_.hWnd == nullptr) return 0;
  added_ = 0;
  return add();
}

int tray_icon_object::show_balloon(const char* text, bool warning) {
  const size_t length = sjis_whole_prefix(text, sizeof notice_text_ - 1);
  std::memcpy(notice_text_, text, length);
  notice_text_[length] = '\0';
  // Balloons need the second version of the structure; the icon itself keeps the first.
  NOTIFYICONDATAW notice = data_;
  notice.cbSize = NOTIFYICONDATAW_V2_SIZE;
  notice.uFlags = NIF_INFO;
  copy_wide(notice.szInfo, notice_text_);
  copy_wide(notice.szInfoTitle, "dovane_clip");
  notice.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
  // Before the icon exists (during start-up) the shell takes no balloon.
  if (data_.hWnd == nullptr || (added_ != 1 && !add())) return 0;
  if (!Shell_NotifyIconW(NIM_MODIFY, &notice)) return 0;
  // Only what the shell took counts as shown.
  std::memcpy(balloon_, notice_text_, length + 1);
  std::memcpy(shown_balloon_, notice.szInfo, sizeof shown_balloon_);
  ++balloons_shown_;
  return 1;
}

UINT taskbar_created_message() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

void tray_callback(LPARAM mouse_message) {
  if (mouse_message == WM_RBUTTONDOWN) {
    SetForegroundWindow(main_window);
    SendMessageW(main_window, WM_NCMOUSEMOVE, tray_callback_message, 0);
  } else if (mouse_message == WM_LBUTTONDOWN) {
    // Stored whatever history saving says, and again on every click.
    if (clip_text[0] != '\0') append_to_history(clip_text);
  }
}
