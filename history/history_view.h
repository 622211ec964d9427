// What the history changes that the user sees goes through this interface, which the
// shell implements at start-up; the history itself never touches a window or a menu.
// Until a view is set (and in tests of the core alone), changes go unshown.
#pragma once
#include <functional>

enum class clip_list { history, recycle, ring };

class history_view {
 public:
  virtual ~history_view() = default;
  // A clip offered to a list under number; counter counts the offers, and once it passes
  // limit the list's oldest entry goes.
  virtual void offer_clip(clip_list, int /*number*/, const char* /*text*/, int /*limit*/, int& /*counter*/) {}
  // An entry already labelled and trimmed, listed as it is.
  virtual void list_entry(clip_list, int /*number*/, const char* /*label*/) {}
  // Every entry of the list goes.
  virtual void clear_list(clip_list) {}
  // The ring's oldest entry leaves the ring list.
  virtual void drop_oldest_ring_entry() {}
  // clip_text holds another record to show.
  virtual void show_clip() {}
  // A change of what an entry puts back, made once no list the user may choose from is
  // open: an entry must put back what it showed.
  virtual void when_lists_settle(std::function<void()> change) { change(); }
  // The ring holds a new clip; its file is saved now, or by the shell once the capture
  // has been shown, one save for a burst of captures.
  virtual void ring_changed();
  // Capture times wait to be written; they are written now, or by the shell with the
  // ring's save.
  virtual void side_lines_waiting();
};

history_view& shown_history();
void set_history_view(history_view& view);
