// The shell's side of what the subsystems report: history and drawer changes become menu
// entries and window texts, saves become notices.
#pragma once

// Connects the views and the save listener; the create sequence does it first.
void connect_shell_views();
