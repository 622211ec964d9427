#include "app/main_window.h"

#include <cstdio>
#include <cstring>

#include "app/affixes.h"
#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/data_folder.h"
#include "app/first_start.h"
#include "app/link_tag_dialog.h"
#include "app/main_window_dpi.h"
#include "app/navigation_commands.h"
#include "app/notice_lines.h"
#include "app/res/resource_ids.h"
#include "app/save_notice.h"
#include "app/shell_views.h"
#include "app/single_instance.h"
#include "app/menu_hold.h"
#include "app/shortcut_menu.h"
#include "app/start_at_sign_in.h"
#include "app/status_note.h"
#include "app/tray_icon.h"
#include "app/ui_text.h"
#include "history/capture.h"
#include "history/history_streams.h"
#include "history/maintenance.h"
#include "settings/settings_values.h"

namespace {

LRESULT on_create(HWND window) {
  history_menu_count = 0;
  current_index = 1;
  capture_timer_on = 0;
  // Registered before the shell can announce a restart to us.
  taskbar_created_message();
  run_create_sequence(window);
  return 0;
}

LRESULT on_size(LPARAM lparam) {
  const int width = LOWORD(lparam);
  const int height = HIWORD(lparam);
  const int button_width = 10 * base_unit_x;
  const int button_height = 7 * base_unit_y / 4;
  const int text_height = char_height * height_zoom / 100;
  const int fifth = height / 5;
  MoveWindow(scroll_bar, 0, 0, width, scroll_bar_height, TRUE);
  MoveWindow(start_button, width - button_width, scroll_bar_height, button_width, button_height, TRUE);
  MoveWindow(end_button, width - button_width, scroll_bar_height + button_height, button_width, button_height, TRUE);
  MoveWindow(reset_button, width - button_width, scroll_bar_height + 2 * button_height, button_width, button_height,
             TRUE);
  // The notice, when there is one, takes lines of its own between the status line and the clip.
  const int lines_above = text_height * (1 + notice_line_count(width));
  MoveWindow(clip_edit, 0, scroll_bar_height + lines_above, width - button_width,
             height - fifth - scroll_bar_height - lines_above, TRUE);
  MoveWindow(search_edit, 0, height - fifth, width - button_width, fifth, TRUE);
  return 0;
}

LRESULT on_paint(HWND window) {
  SetScrollRange(scroll_bar, SB_CTL, 1, history_count, TRUE);
  SetScrollPos(scroll_bar, SB_CTL, current_index, TRUE);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HGDIOBJ previous_font = SelectObject(dc, view_font);
  char status[status_line_size];
  const int length = format_status_head(status, sizeof status);
  const std::wstring shown = wide_from_sjis(std::string_view(status, static_cast<size_t>(length)));
  TextOutW(dc, 0, scroll_bar_height, shown.c_str(), static_cast<int>(shown.size()));
  RECT client;
  GetClientRect(window, &client);
  const int text_height = char_height * height_zoom / 100;
  draw_notice(dc, scroll_bar_height + text_height, client.right, text_height);
  SelectObject(dc, previous_font);
  set_title_from(clip_text);
  EndPaint(window, &paint);
  return 0;
}

LRESULT on_nc_mouse_move(WPARAM wparam) {
  if (wparam == HTSYSMENU) {
    TrackPopupMenu(popup_menu, TPM_RIGHTBUTTON, 0, 0, 0, main_window, nullptr);
  } else if (wparam == tray_callback_message) {
    POINT cursor;
    GetCursorPos(&cursor);
    track_icon_popup(cursor.x, cursor.y);
  }
  return 0;
}

LRESULT on_timer() {
  KillTimer(main_window, capture_timer_id);
  capture_timer_on = 0;
  return 0;
}

LRESULT on_init_menu_popup(WPARAM wparam) {
  HMENU opened = reinterpret_cast<HMENU>(wparam);
  EnableMenuItem(opened, CMD_OPEN_FILE, MF_BYCOMMAND | MF_ENABLED);
  EnableMenuItem(opened, CMD_CUT, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(opened, CMD_FROM_CLIPBOARD, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(opened, CMD_ERASE, MF_BYCOMMAND | MF_GRAYED);
  // The Startup folder is the user's to change at any time, so it is read at every opening.
  if (opened == control_menu) show_start_at_sign_in(opened);
  return 0;
}

// A viewer further down the chain that hangs or dawdles must not hold the program up.
void send_down_the_chain(UINT message, WPARAM wparam, LPARAM lparam) {
  constexpr UINT chain_wait_ms = 500;
  if (next_viewer != nullptr)
    SendMessageTimeoutW(next_viewer, message, wparam, lparam, SMTO_ABORTIFHUNG, chain_wait_ms, nullptr);
}

LRESULT on_change_cb_chain(WPARAM wparam, LPARAM lparam) {
  if (reinterpret_cast<HWND>(wparam) == next_viewer)
    next_viewer = reinterpret_cast<HWND>(lparam);
  else
    send_down_the_chain(WM_CHANGECBCHAIN, wparam, lparam);
  return 0;
}

void tell_clip_was_cut() {
  char notice[64];
  std::snprintf(notice, sizeof notice, "%dバイトまで保存しました", clip_size - 1);
  tray_icon.show_balloon(notice, false);
}

void forward_notification(WPARAM wparam, LPARAM lparam) { send_down_the_chain(WM_DRAWCLIPBOARD, wparam, lparam); }

// Another program may keep the clipboard open a moment after it changed it (Office,
// remote desktop, other clipboard tools): the capture is tried again a few times, a short
// pause apart, from a timer so that the loop runs on meanwhile.
constexpr int capture_retries = 8;
constexpr UINT capture_retry_ms = 15;
int capture_retries_left = 0;

void show_capture(const capture_result& captured);

void CALLBACK retry_capture(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(main_window, timer);
  show_capture(capture_clipboard(main_window, capture_timer_on != 0));
}

// Shows what a clipboard change did; returns false when it was marked private.
bool show_clip(const capture_result& captured) {
  // The nested notification of this output gives back the clip itself, so the clip edit
  // and the title show it without the affixes.
  if (captured.appended && affixes_in_use()) output_clip(main_window);
  if (captured.cut) tell_clip_was_cut();
  if (captured.kept) note_unmappable_characters(captured.unmappable);
  // Text the clip edit put there itself stays as the user typed it.
  if (captured.text && GetClipboardOwner() != clip_edit) show_in_clip_edit(clip_text);
  if (!captured.seen) return false;
  set_title_from(clip_text);
  InvalidateRect(main_window, nullptr, TRUE);
  if (captured.link_tag_armed) make_and_confirm_link_tag();
  return true;
}

void show_capture(const capture_result& captured) {
  if (captured.busy) {
    if (capture_retries_left-- > 0)
      SetTimer(main_window, capture_retry_timer_id, capture_retry_ms, retry_capture);
    else
      note_clipboard_access(false);
    return;
  }
  note_clipboard_access(true);
  const bool seen = show_clip(captured);
  KillTimer(main_window, capture_timer_id);
  SetTimer(main_window, capture_timer_id, static_cast<UINT>(tag_save_limit) * 1000, nullptr);
  capture_timer_on = 1;
  // A clip marked private leaves the tip as it was; the shell is given it once for a burst.
  if (seen) {
    tray_icon.set_tip(clip_text, false);
    show_tip_soon();
  }
}

// The chain hears of the change before a link-tag dialog can hold the program up.
LRESULT on_draw_clipboard(WPARAM wparam, LPARAM lparam) {
  KillTimer(main_window, capture_retry_timer_id);
  capture_retries_left = capture_retries;
  const capture_result captured = capture_clipboard(main_window, capture_timer_on != 0);
  forward_notification(wparam, lparam);
  show_capture(captured);
  return 0;
}

}  // namespace

int format_status_head(char* out, size_t size) {
  const int length =
      std::snprintf(out, size, "[in:%s]-index:%u/%u-[len:%d][%d/%d/%d]", history_file,
                    static_cast<unsigned>(current_index), static_cast<unsigned>(history_count),
                    static_cast<int>(std::strlen(clip_text)), data_max, 20, history_menu_max);
  if (length < 0) return 0;
  return static_cast<size_t>(length) < size ? length : static_cast<int>(std::strlen(out));
}

void format_status_line(char* out, size_t size) {
  const int length = format_status_head(out, size);
  if (status_note()[0] != '\0' && static_cast<size_t>(length) < size)
    std::snprintf(out + length, size - static_cast<size_t>(length), "  %s", status_note());
}

void replace_view_font(int width_percent, int height_percent) {
  HFONT replaced = view_font;
  // DEFAULT_CHARSET so a Japanese history path in the status line reads correctly.
  view_font = CreateFontW(char_height * height_percent / 100, width_percent * char_width / 100, 0, 0, 0, 0, 0, 0,
                          DEFAULT_CHARSET, 0, 0, 0, 0, L"arial");
  if (replaced != nullptr) DeleteObject(replaced);
}

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  in_data_folder data_folder;
  switch (message) {
    case WM_CREATE: return on_create(window);
    case WM_DESTROY: run_shutdown_sequence(); return 0;
    // At log-off a tray program is ended this way, without a WM_DESTROY of its own.
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      if (wparam) run_shutdown_sequence();
      return 0;
    case WM_SIZE: return on_size(lparam);
    case WM_DPICHANGED: on_main_window_dpi_changed(wparam, lparam); return 0;
    case WM_SETFOCUS: SetFocus(scroll_bar); return 0;
    case WM_PAINT: return on_paint(window);
    case WM_NCMOUSEMOVE: return on_nc_mouse_move(wparam);
    case WM_HOTKEY: on_shortcut_key(); return 0;
    case WM_COMMAND: on_command(wparam, lparam); return 0;
    case WM_MENUCOMMAND: on_menu_command(wparam, lparam); return 0;
    case WM_TIMER: return on_timer();
    case WM_INITMENUPOPUP: return on_init_menu_popup(wparam);
    case WM_ENTERMENULOOP: on_enter_menu_loop(); return 0;
    case WM_EXITMENULOOP: on_exit_menu_loop(); return 0;
    case held_menu_changes_message: make_held_menu_changes(); return 0;
    case settle_message: settle_now(); return 0;
    case WM_CTLCOLORSCROLLBAR: return reinterpret_cast<LRESULT>(caption_brush);
    case WM_LBUTTONDOWN:
      clear_not_found_note();
      step_back(wparam);
      return 0;
    case WM_RBUTTONDOWN:
      clear_not_found_note();
      step_forward(wparam);
      return 0;
    case WM_KEYUP:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: output_and_remember(); return 0;
    case WM_CHAR: type_character(wparam); return 0;
    case WM_HSCROLL: scroll_history(wparam); return 0;
    case WM_DRAWCLIPBOARD: return on_draw_clipboard(wparam, lparam);
    case WM_CHANGECBCHAIN: return on_change_cb_chain(wparam, lparam);
    case tray_callback_message:
      tray_callback(lparam);
      return DefWindowProcW(window, message, wparam, lparam);
    default:
      if (message == taskbar_created_message()) {
        tray_icon.add_again();
        show_start_notices();
        return 0;
      }
      if (message == folder_key_message()) return data_folder_key();
      return DefWindowProcW(window, message, wparam, lparam);
  }
}
