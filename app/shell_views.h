// The shell's side of what the subsystems report: history and drawer changes become menu
// entries and window texts, saves become notices.
#pragma once
#include <windows.h>

// Posted to the main window after a capture; saves the ring once for all captures before it.
constexpr UINT save_ring_message = WM_APP + 43;
void save_ring_now();

// Connects the views and the save listener; the create sequence does it first.
void connect_shell_views();
