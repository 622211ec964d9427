#include "history/link_tag.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "history/clip_output.h"
#include "history/history_streams.h"
#include "history/ring.h"
#include "settings/settings_values.h"

namespace {

constexpr int link_tag_size = 3 * tag_text_size + 2 * ring_text_size;
constexpr UINT_PTR close_timer_id = 1;
constexpr UINT close_after_ms = 1000;

bool write_tag_line(const char* tag) {
  if (!link_tag_writer.is_open()) return false;
  link_tag_writer.write(tag, std::strlen(tag));
  link_tag_writer.write("\n", 1);
  return link_tag_writer.flush();
}

HWND find_static_child(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char window_class[16];
    if (GetClassNameA(child, window_class, sizeof window_class) > 0 && lstrcmpiA(window_class, "Static") == 0)
      return child;
  }
  return nullptr;
}

// lparam of WM_INITDIALOG is 1 when the tag line reached the file.
INT_PTR CALLBACK link_tag_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetTimer(dialog, close_timer_id, close_after_ms, nullptr);
      if (lparam == 0) SetWindowTextA(find_static_child(dialog), "保存できませんでした");
      return TRUE;
    case WM_TIMER:
      KillTimer(dialog, close_timer_id);
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) != IDOK && LOWORD(wparam) != IDCANCEL) return FALSE;
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void make_link_tag() {
  char tag[link_tag_size];
  std::snprintf(tag, sizeof tag, "%s%s%s%s%s", tag_a, recent_ring[ring_prev_pos].text, tag_b,
                recent_ring[ring_pos].text, tag_c);
  put_text_on_clipboard(main_window, tag, std::strlen(tag));
  const bool saved = write_tag_line(tag);
  DialogBoxParamA(instance, "TAGLINK", main_window, link_tag_dialog_procedure, saved ? 1 : 0);
}

void open_link_tag_file() { link_tag_writer.open(tag_link_file, open_mode::append); }

void clear_link_tag_file() {
  link_tag_writer.close();
  link_tag_writer.open(tag_link_file, open_mode::rewrite);
}
