#include "drawers/drawer_view.h"

namespace {
drawer_view unshown;
drawer_view* current_view = &unshown;
}  // namespace

drawer_view& shown_drawers() { return *current_view; }

void set_drawer_view(drawer_view& view) { current_view = &view; }
