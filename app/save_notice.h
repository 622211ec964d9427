// Telling the user that something could not be saved: once per run of failures of a kind
// of file (a tray balloon, shown once the icon exists), and in the status line until a
// later save of that kind succeeds; and that a file was replaced or removed from outside.
#pragma once
#include "settings/save_report.h"

// The listener the create sequence connects.
save_listener& save_notices();
// Balloons that came before the tray icon existed (failures during start-up).
void show_pending_notices();
// Whether a capture or an output reached the clipboard: the first failure of a run of
// them is told (balloon and status line), a success ends the run.
void note_clipboard_access(bool reached);
