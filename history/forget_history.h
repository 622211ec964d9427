// Forgetting a clip, and clearing the history, in everything the program keeps: the
// files of the data folder, the ring, the lists, the positions and the side file.
#pragma once
#include "history/forget.h"

// The files of the data folder that keep clips: the history, every numbered backup, the
// ring file, the re-use file and its index.
kept_files data_folder_kept_files();
// After prepare_forget (history/forget.h) over the kept files, which may run on a thread
// of its own: every record that is the text leaves the kept files and the ring; positions
// on the history on view follow the records they stood at, and clip_text holds the record
// now on show. The lists are made again. The side file keeps what it holds of the text
// when a drawer still holds it.
forget_report finish_forget_clip(forget_work& work, const kept_files& files, bool in_drawers);
// Empties the kept files, the ring and the lists; the position goes to the empty end.
forget_report clear_history();
