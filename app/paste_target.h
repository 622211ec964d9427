// Where a chosen clip is pasted: the window the user was typing in, its caret, and the
// keys that paste there.
#pragma once
#include <windows.h>

struct paste_target {
  HWND window;     // the foreground window when the user asked for the menu
  HWND focus;      // its keyboard focus, nullptr when unknown
  bool has_caret;
  RECT caret;      // screen coordinates, valid with has_caret
};

// The foreground window as it is now, with its focus and caret.
paste_target note_paste_target();
// Where a menu for target opens: just below its caret, or at the mouse pointer when it
// has none, kept on the monitor's work area.
POINT menu_point_for(const paste_target& target);
// Makes target the foreground again, waits until it is and until the user has let go of
// the modifier keys, then sends the paste keys in one go. False, with a balloon and no
// keys sent, when the target is gone, runs with higher rights than ours or never comes
// back to the foreground.
bool paste_into(const paste_target& target);
// Gives the foreground back to the window the user came from, without pasting.
void return_to(const paste_target& target);

// The last foreground window that is neither ours nor the taskbar, polled while the
// program runs, so a choice from the icon's menu can be pasted where the user was.
void start_watching_foreground();
HWND last_outside_window();
