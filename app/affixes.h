// Clips put back between the start and end texts whose affix windows are open, and the
// main window's title, which shows the clip.
#pragma once
#include <windows.h>

// Puts clip_text on the clipboard between the affix texts in force; owner opens the
// clipboard and owns it afterwards.
void output_clip(HWND owner);
// An affix window is open, so every new clip goes back wrapped.
bool affixes_in_use();
// Retitles the main window: the first 70 bytes of text, then " [どばね]".
void set_title_from(const char* text);
