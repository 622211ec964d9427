#include "app/app_state.h"
#include "app/forget_worker.h"
#include "app/main_window.h"
#include "app/tray_icon.h"
#include "history/clip_side_file.h"
#include "history/ring.h"
#include "settings/settings_file.h"

namespace {
bool shutdown_done = false;
}

void run_shutdown_sequence() {
  // The end command sends WM_DESTROY without destroying the window; its later
  // destruction must not save or leave the chain a second time.
  if (shutdown_done) return;
  shutdown_done = true;
  // A forget under way is finished: its copies would otherwise stay beside the files.
  finish_forgetting();
  save_settings();
  save_ring();
  write_waiting_times();
  DeleteObject(caption_brush);
  DeleteObject(view_font);
  DeleteObject(child_font);
  caption_brush = nullptr;
  view_font = nullptr;
  child_font = nullptr;
  ChangeClipboardChain(main_window, next_viewer);
  tray_icon.remove();
  PostQuitMessage(0);
}
