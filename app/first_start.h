// The tray icon as a start leaves it: the program's name and where its menu is in the
// tip, and at the first start in a data folder a balloon that says so, where history
// saving, off at first, is turned on, and how to reach the find window and the shortcut key.
#pragma once
#include <windows.h>

// True while the data folder holds no settings file yet; asked before the start runs.
bool is_first_start();
// Adds the tray icon with the start tip, then, at a first start, the welcome balloon: a
// balloon before the icon exists goes nowhere.
void add_tray_icon(HINSTANCE module, bool first_start);
// The welcome and the failure notices the shell did not take (at a start before the
// shell's notification area was up, or while it restarted); again once it is back.
void show_start_notices();
