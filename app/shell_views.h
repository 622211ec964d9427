// The shell's side of what the subsystems report: history and drawer changes become menu
// entries and window texts, saves become notices.
#pragma once
#include <windows.h>

// Posted to the main window after a capture, and handled once the notices of a burst of
// captures are: the ring saved, the capture times written and the tip shown, once for
// all of them.
constexpr UINT settle_message = WM_APP + 43;
void settle_now();
// The shell shows the icon's tip as it now stands once the burst is handled.
void show_tip_soon();

// Connects the views and the save listener; the create sequence does it first.
void connect_shell_views();
