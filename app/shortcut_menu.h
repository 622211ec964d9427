// The clip menu opened by a shortcut key at the text cursor of the program the user is
// typing in, and the pasting of a clip chosen there or from the icon's menu.
#pragma once
#include <windows.h>

#include <cstddef>

#include "settings/hotkey_name.h"

// Makes key the shortcut in place of the one before; no shortcut when key.key is 0. When
// another program holds the key, the one before stays, the user is told with a balloon,
// and the result is false.
bool register_shortcut(const hotkey& key);
// "ショートカット NAME は他のプログラムが使っています" for key.
void shortcut_taken_text(const hotkey& key, char* out, size_t size);
// At start-up, once the icon is there: registers the stored shortcut and starts noting
// the window the user works in.
void start_shortcut();
// WM_HOTKEY: the menu at the caret of the foreground window; a clip chosen there goes on
// the clipboard and, with pasting on, into that window.
void on_shortcut_key();
// The icon's popup at (x, y); with pasting on, a clip chosen there is pasted into the
// window the user was in before reaching for the icon.
void track_icon_popup(int x, int y);
// The dialog that sets the shortcut and whether a choice pastes.
void open_shortcut_dialog();
