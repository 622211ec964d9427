#include "history/capture.h"

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/status_note.h"
#include "app/tray_icon.h"
#include "history/clip_output.h"
#include "history/clipboard_block.h"
#include "history/clipboard_text.h"
#include "history/link_tag.h"
#include "history/maintenance.h"
#include "history/private_clip.h"
#include "history/ring.h"
#include "settings/settings_values.h"

char previous_clip[clip_size];

namespace {

enum class clipboard_content { none, text, private_clip };

class open_clipboard {
 public:
  explicit open_clipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~open_clipboard() {
    if (open_) CloseClipboard();
  }
  open_clipboard(const open_clipboard&) = delete;
  open_clipboard& operator=(const open_clipboard&) = delete;
  bool is_open() const { return open_; }

 private:
  bool open_;
};

bool is_own_window(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return window != nullptr && process == GetCurrentProcessId();
}

// Another program may hand over text without its terminator; the copy then ends where
// the memory block ends. An empty text leaves clip_text as it was. Our own output with
// affixes gives back the clip it wrapped, so affixes never pile up around a clip.
bool copy_clipboard_text(HWND owner, bool& cut, std::size_t& unmappable) {
  const clipboard_text text = read_clipboard_text(clip_text, clip_size, is_own_window(owner));
  if (!text.found) return false;
  const copied_text copied = text.copied;
  const char* wrapped = text.wrapped;
  unmappable = text.unmappable;
  cut = copied.cut && wrapped == nullptr;
  if (wrapped == nullptr) return copied.length > 0;
  std::memcpy(clip_text, wrapped, std::strlen(wrapped) + 1);
  return clip_text[0] != '\0';
}

// The clipboard is closed again before anything is put back on it.
clipboard_content read_clipboard(HWND& owner, bool& cut, std::size_t& unmappable) {
  open_clipboard clipboard(main_window);
  owner = GetClipboardOwner();
  if (!clipboard.is_open()) return clipboard_content::none;
  if (clipboard_marked_private()) return clipboard_content::private_clip;
  return copy_clipboard_text(owner, cut, unmappable) ? clipboard_content::text : clipboard_content::none;
}

void tell_clip_was_cut() {
  char notice[64];
  std::snprintf(notice, sizeof notice, "%dバイトまで保存しました", clip_size - 1);
  tray_icon.show_balloon(notice, false);
}

// The one place the count reaches the user. The note speaks of the last clip kept, so a
// later clip without such characters takes it away, leaving any other note alone.
void note_unmappable_characters(std::size_t count) {
  static char said[status_note_size];
  if (count == 0) {
    if (said[0] != '\0' && std::strcmp(status_note(), said) == 0) clear_status_note();
    said[0] = '\0';
    return;
  }
  std::snprintf(said, sizeof said, "Shift_JIS にない文字 %d 字は ? で保存しました", static_cast<int>(count));
  set_status_note(said);
}

void append_captured_clip() {
  if (!append_to_history(clip_text)) return;
  // The nested notification of this output gives back the clip itself, so the clip edit
  // and the title show it without the affixes.
  if (start_state == 1 || end_state == 1) put_clip(main_window, start_state, end_state);
}

void keep_new_clip() {
  keep_in_ring(clip_text);
  std::memcpy(previous_clip, clip_text, std::strlen(clip_text) + 1);
  // The ring is on disk at once, so a crash or a kill loses no clip of the session.
  save_ring();
  if (history_saving == 1) append_captured_clip();
}

void forward_notification(WPARAM wparam, LPARAM lparam) {
  if (next_viewer != nullptr) SendMessageA(next_viewer, WM_DRAWCLIPBOARD, wparam, lparam);
}

}  // namespace

bool capture_clipboard(WPARAM wparam, LPARAM lparam, int was_timer_on) {
  // A URL as the previous clip, still inside the timer's window, pairs with this clip.
  bool link_tag_armed = was_timer_on != 0 && (std::strncmp(previous_clip, "http://", 7) == 0 ||
                                              std::strncmp(previous_clip, "https://", 8) == 0);
  HWND owner = nullptr;
  bool cut = false;
  std::size_t unmappable = 0;
  const clipboard_content content = read_clipboard(owner, cut, unmappable);
  if (content == clipboard_content::private_clip) {
    forward_notification(wparam, lparam);
    return false;
  }
  if (content == clipboard_content::text) {
    const bool duplicate = previous_clip[0] != '\0' && std::strcmp(previous_clip, clip_text) == 0;
    if (owner == main_window || duplicate) {
      link_tag_armed = false;
    } else {
      keep_new_clip();
      if (cut) tell_clip_was_cut();
      note_unmappable_characters(unmappable);
    }
    // Text the clip edit put there itself stays as the user typed it.
    if (GetClipboardOwner() != clip_edit) SetWindowTextA(clip_edit, clip_text);
  } else {
    link_tag_armed = false;
  }
  forward_notification(wparam, lparam);
  set_title_from(clip_text);
  InvalidateRect(main_window, nullptr, TRUE);
  if (link_tag_armed) make_link_tag();
  return true;
}
