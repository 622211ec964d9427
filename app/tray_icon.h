// The notification-area icon: one object for the life of the process, which remembers
// whether the shell holds the icon so an add becomes a modify and the reverse.
#pragma once
#include <windows.h>
#include <shellapi.h>

class tray_icon_object {
 public:
  tray_icon_object();
  ~tray_icon_object();  // the exit handler: removes an icon still added
  tray_icon_object(const tray_icon_object&) = delete;
  tray_icon_object& operator=(const tray_icon_object&) = delete;

  int set(HWND owner, UINT id, UINT callback_message, HICON icon, const char* tip);
  int add();
  int modify();
  int remove();
  int set_tip(const char* text, bool update);
  // A restarted shell holds no icons: adds the icon again as it stands, tip and all.
  int add_again();
  // A balloon over the icon (the platform's NIF_INFO notice); warning or plain information.
  int show_balloon(const char* text, bool warning);
  const char* last_balloon() const { return balloon_; }
  const wchar_t* shown_balloon() const { return shown_balloon_; }
  int balloons_shown() const { return balloons_shown_; }
  bool added() const { return added_ != 0; }
  const char* tip() const { return tip_; }
  const wchar_t* shown_tip() const { return data_.szTip; }

 private:
  NOTIFYICONDATAW data_;
  int added_;
  char tip_[64];           // the tip, as Shift_JIS
  char balloon_[256];      // the last balloon the shell took
  wchar_t shown_balloon_[256];  // the same, as the shell was given it
  char notice_text_[256];  // the balloon being given
  int balloons_shown_;
};

extern tray_icon_object tray_icon;

// The message the shell broadcasts when it (re)starts; registered on first use.
UINT taskbar_created_message();

// The tray callback message: right button opens the popup, left button stores the clip.
void tray_callback(LPARAM mouse_message);
