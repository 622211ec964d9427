#include "history/clip_output.h"

#include <cstdio>
#include <cstring>

#include "history/clip_originals.h"
#include "history/clipboard_text.h"
#include "history/record_file.h"

namespace {
char compose_buffer[compose_size];
// The last output of put_clip and the clip it wrapped, for as long as nothing else has
// been put on the clipboard by us since.
size_t composed_length;
bool composed_on_clipboard = false;
char wrapped_clip[clip_size];
}  // namespace

void put_text_on_clipboard(HWND owner, const char* text, size_t length) {
  composed_on_clipboard = false;
  put_shift_jis_on_clipboard(owner, text, length);
}

void put_clip(HWND owner, const char* start, const char* end) {
  int length = std::snprintf(compose_buffer, sizeof compose_buffer, "%s%s%s", start, clip_text, end);
  if (length < 0) return;
  // Remembered first: the output's clipboard notification arrives nested inside it.
  std::memcpy(wrapped_clip, clip_text, std::strlen(clip_text) + 1);
  composed_length = std::strlen(compose_buffer);
  composed_on_clipboard = true;
  std::u16string original;
  const bool has_original = compose_with_original(start, clip_text, end, original);
  put_shift_jis_on_clipboard(owner, compose_buffer, composed_length, has_original ? &original : nullptr);
}

const char* clip_wrapped_by(const char* block, size_t size) {
  if (!composed_on_clipboard || block == nullptr) return nullptr;
  const void* end = std::memchr(block, '\0', size);
  const size_t length = end != nullptr ? static_cast<size_t>(static_cast<const char*>(end) - block) : size;
  if (length != composed_length || std::memcmp(block, compose_buffer, length) != 0) return nullptr;
  return wrapped_clip;
}
