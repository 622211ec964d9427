// Every save of a file ends in report_save, whichever subsystem wrote it; the shell
// listens at start-up and tells the user. Without a listener a failure goes untold.
#pragma once

using save_listener = void (*)(bool saved, const char* file_name);
void listen_to_saves(save_listener listener);
// Tells the listener how writing the named file went; passes saved through.
bool report_save(bool saved, const char* file_name);
