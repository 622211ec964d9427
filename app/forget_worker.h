// The slow part of forgetting a clip, reading every kept file and writing the copies
// without it, runs on a thread of its own that touches no window and no state of the
// program; the thread posts its work back to a window of its own, and the rest is done
// on the program's thread, so the message loop never waits for the files.
#pragma once
#include "history/forget.h"

using forget_finish = void (*)(forget_work& work, const kept_files& files);

// Starts forgetting text in files; false while an earlier forget is still going.
bool forget_in_background(const char* text, const kept_files& files, forget_finish finish);
bool forgetting();
// Waits for a forget under way and finishes it: at the end of the program, and in tests.
void finish_forgetting();
