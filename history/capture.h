// Capture: every clipboard change becomes, when it is new, a clip in the ring and, with
// history saving on, a record of the history.
#pragma once
#include <windows.h>

#include "history/record_file.h"

extern char previous_clip[clip_size];  // the last clip taken as new; duplicates of it are not kept

// The body of WM_DRAWCLIPBOARD, forwarding the notification to the next viewer itself.
// was_timer_on is capture_timer_on as the notification found it. Returns false when the
// change was marked private and so was left alone.
bool capture_clipboard(WPARAM wparam, LPARAM lparam, int was_timer_on);
