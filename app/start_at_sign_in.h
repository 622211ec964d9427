// Starting with Windows: a shortcut in the user's Startup folder that starts this exe with
// the data folder as its start-in folder. The data folder is the working directory every
// state file is named from, so a Run registry value, which starts a program in the system
// folder, would not do. The installer makes the same shortcut under the same name.
#pragma once
#include <windows.h>

// The shortcut's file name in the Startup folder.
extern const wchar_t sign_in_shortcut_name[];

// True when the shortcut file link starts exe with folder as its start-in folder, however
// either path is spelt (letter case, short names, a closing backslash).
bool shortcut_starts(const wchar_t* link, const wchar_t* exe, const wchar_t* folder);
// True when the Startup folder's shortcut starts this exe in the data folder.
bool starts_at_sign_in();
// On makes the shortcut, replacing one of a moved copy or of another data folder; off
// removes it. A failure is told in a balloon from the icon.
void set_start_at_sign_in(bool on);
// The menu item's check mark, as the Startup folder has it now.
void show_start_at_sign_in(HMENU menu);
