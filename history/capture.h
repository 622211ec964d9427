// Capture: every clipboard change becomes, when it is new, a clip in the ring and, with
// history saving on, a record of the history.
#pragma once
#include <windows.h>

#include "history/record_file.h"

extern char previous_clip[clip_size];  // the last clip taken as new; duplicates of it are not kept

// What one clipboard change did, for the shell to show.
struct capture_result {
  bool seen = true;             // false: the change was marked private and left alone
  bool busy = false;            // another program held the clipboard open: nothing was read
  bool text = false;            // clip_text holds the clipboard's text
  bool kept = false;            // a new clip, in the ring and (saving on) offered to the history
  bool appended = false;        // the clip reached the history file
  bool cut = false;             // kept, but cut to the clip field
  int unmappable = 0;           // kept, with this many characters Shift_JIS lacks as '?'
  bool link_tag_armed = false;  // a URL clip and this one make a link tag
};

// Reads the clipboard (opened by viewer, the window that joined the viewer chain) and
// keeps a new clip. was_timer_on tells whether the link-tag timer still ran when the
// change came. The notification is not forwarded here.
capture_result capture_clipboard(HWND viewer, bool was_timer_on);
