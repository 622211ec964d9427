#include "history/capture.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "history/clip_originals.h"
#include "history/clip_output.h"
#include "history/clipboard_block.h"
#include "history/clipboard_text.h"
#include "history/history_view.h"
#include "history/maintenance.h"
#include "history/private_clip.h"
#include "history/ring.h"
#include "settings/settings_values.h"

char previous_clip[clip_size];

namespace {

enum class clipboard_content { none, text, private_clip, busy };

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
clipboard_content read_clipboard(HWND viewer, HWND& owner, bool& cut, std::size_t& unmappable) {
  open_clipboard clipboard(viewer);
  owner = GetClipboardOwner();
  if (!clipboard.is_open()) return clipboard_content::busy;
  if (clipboard_marked_private()) return clipboard_content::private_clip;
  return copy_clipboard_text(owner, cut, unmappable) ? clipboard_content::text : clipboard_content::none;
}

clip_time time_now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return clip_time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// True when the clip reached the history.
bool keep_new_clip() {
  keep_side_of_new_clip(clip_text, time_now());
  shown_history().side_lines_waiting();
  // A full ring gives the new clip the oldest clip's slot, which an open list still shows.
  shown_history().when_lists_settle([clip = std::string(clip_text)] {
    keep_in_ring(clip.c_str());
    shown_history().ring_changed();
  });
  std::memcpy(previous_clip, clip_text, std::strlen(clip_text) + 1);
  if (history_saving != 1) return false;
  if (append_to_history(clip_text)) return true;
  // The user's natural retry, copying the same text again, must not count as a duplicate.
  previous_clip[0] = '\0';
  return false;
}

}  // namespace

capture_result capture_clipboard(HWND viewer, bool was_timer_on) {
  capture_result result;
  // A URL as the previous clip, still inside the timer's window, pairs with this clip.
  result.link_tag_armed = was_timer_on && (std::strncmp(previous_clip, "http://", 7) == 0 ||
                                           std::strncmp(previous_clip, "https://", 8) == 0);
  HWND owner = nullptr;
  bool cut = false;
  std::size_t unmappable = 0;
  const clipboard_content content = read_clipboard(viewer, owner, cut, unmappable);
  result.busy = content == clipboard_content::busy;
  result.seen = content != clipboard_content::private_clip && !result.busy;
  result.text = content == clipboard_content::text;
  if (!result.text) {
    result.link_tag_armed = false;
    return result;
  }
  const bool duplicate = previous_clip[0] != '\0' && std::strcmp(previous_clip, clip_text) == 0;
  if (owner == viewer || duplicate) {
    result.link_tag_armed = false;
    return result;
  }
  result.kept = true;
  result.cut = cut;
  result.unmappable = static_cast<int>(unmappable);
  result.appended = keep_new_clip();
  return result;
}
