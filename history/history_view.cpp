#include "history/history_view.h"

#include "history/clip_side_file.h"
#include "history/ring.h"

namespace {
history_view unshown;
history_view* current_view = &unshown;
}  // namespace

history_view& shown_history() { return *current_view; }

void set_history_view(history_view& view) { current_view = &view; }

void history_view::ring_changed() { save_ring(); }
void history_view::side_lines_waiting() { write_waiting_times(); }
