// The clip list's keys and clicks without the focus: low-level keyboard and mouse hooks,
// there only while the list is open. They decide at once and post the work, as hooks
// that keep the user's input waiting are passed over, and in the end removed, by the
// system.
#pragma once
#include <windows.h>

// shortcut_vk is the key that opened the list: its repeats while it is still held are
// taken, not passed on to the target as typing.
bool start_list_keys(UINT shortcut_vk);
void stop_list_keys();
