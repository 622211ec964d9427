// Where a chosen clip is pasted: the window the user was typing in, its caret, and the
// keys that paste there.
#pragma once
#include <windows.h>

struct paste_target {
  HWND window;     // the foreground window when the user asked for the menu
  HWND focus;      // its keyboard focus, nullptr when unknown
  bool has_caret;
  RECT caret;      // screen coordinates, valid with has_caret
  bool has_selection;  // the focus is an edit, whose selection follows
  DWORD selection_start;
  DWORD selection_end;
};

// The foreground window as it is now, with its focus, caret and selection.
paste_target note_paste_target();
// The same for window, which need not be the foreground.
paste_target note_target_of(HWND window);
// Where a menu for target opens: just below its caret, or at the mouse pointer when it
// has none, kept on the monitor's work area.
POINT menu_point_for(const paste_target& target);
// Makes target the foreground again, waits until it is and until the user has let go of
// the modifier keys, then sends the paste keys in one go. False, with a balloon and no
// keys sent, when the target is gone, runs with higher rights than ours or never comes
// back to the foreground.
bool paste_into(const paste_target& target);
// Gives the foreground back to the window the user came from, with its focus and
// selection as they were, without pasting.
void return_to(const paste_target& target);
// For a choice made while target kept the foreground and the focus: once the modifier
// keys are let go, sends the paste keys there. False, with a balloon, when the target is
// gone, no longer the foreground, runs with higher rights, or the keys were not sent.
bool paste_in_place(const paste_target& target);
// Brings window, one of ours, to the front over target, the foreground window, which
// the system lets a program do only with the foreground's input.
void take_foreground(const paste_target& target, HWND window);

// The last foreground window that is neither ours nor the taskbar, with its focus and
// selection, polled while the program runs, so a choice from the icon's menu can be
// pasted where the user was, as they left it.
void start_watching_foreground();
paste_target last_outside_target();
