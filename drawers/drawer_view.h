// What the drawers change that the user sees goes through this interface, which the
// shell implements at start-up; the drawers never touch a window or a menu themselves.
// Until a view is set, changes go unshown.
#pragma once

class drawer_view {
 public:
  virtual ~drawer_view() = default;
  // A record of drawer d offered to its list under number; counter counts the offers,
  // and once it passes limit the list's oldest entry goes.
  virtual void offer_drawer_clip(int /*drawer*/, int /*number*/, const char* /*text*/, int /*limit*/,
                                 int& /*counter*/) {}
  // Block b is current: its mark moves there and the ten drawer lists are emptied.
  virtual void show_block(int /*block*/) {}
  // Genre number joins the genre list under name.
  virtual void list_genre(int /*number*/, const char* /*name*/) {}
  // The genre mark moves to genre number of count.
  virtual void mark_genre(int /*number*/, int /*count*/) {}
};

drawer_view& shown_drawers();
void set_drawer_view(drawer_view& view);
