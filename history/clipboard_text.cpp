#include "history/clipboard_text.h"

#include <cstring>
#include <initializer_list>

#include "history/clip_originals.h"
#include "history/clip_output.h"
#include "text/unicode_text.h"

namespace {

constexpr LCID japanese_locale = 0x0411;

// The owner's formats come before those the system makes from them, so the first text
// format is the one the owner put there.
bool unicode_comes_first() {
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    if (format == CF_UNICODETEXT) return true;
    if (format == CF_TEXT || format == CF_OEMTEXT) return false;
  }
  return false;
}

class locked_block {
 public:
  explicit locked_block(HANDLE data) : data_(data), bytes_(data != nullptr ? GlobalLock(data) : nullptr) {}
  ~locked_block() {
    if (bytes_ != nullptr) GlobalUnlock(data_);
  }
  locked_block(const locked_block&) = delete;
  locked_block& operator=(const locked_block&) = delete;
  const void* bytes() const { return bytes_; }
  void* bytes() { return bytes_; }
  SIZE_T size() const { return GlobalSize(data_); }

 private:
  HANDLE data_;
  void* bytes_;
};

// An ANSI program's bytes stay as they are, NEC and IBM duplicates included.
clipboard_text read_ansi(char* field, std::size_t field_size, bool own_output) {
  clipboard_text text{false, {0, false}, 0, nullptr};
  locked_block block(GetClipboardData(CF_TEXT));
  const char* bytes = static_cast<const char*>(block.bytes());
  if (bytes == nullptr) return text;
  text.found = true;
  text.copied = copy_clipboard_block(bytes, block.size(), field, field_size);
  if (own_output) text.wrapped = clip_wrapped_by(bytes, block.size());
  return text;
}

// Unicode text becomes Shift_JIS here rather than by the system, whose conversion follows
// the keyboard layout and loses characters Shift_JIS has.
clipboard_text read_unicode(char* field, std::size_t field_size) {
  clipboard_text text{false, {0, false}, 0, nullptr};
  locked_block block(GetClipboardData(CF_UNICODETEXT));
  const char16_t* units = static_cast<const char16_t*>(block.bytes());
  if (units == nullptr) return text;
  text.found = true;
  const std::size_t count = block.size() / sizeof(char16_t);
  // An empty text leaves the field as it was, as for CF_TEXT.
  if (count == 0 || units[0] == u'\0') return text;
  const sjis_conversion converted = utf16_to_sjis(units, count, field, field_size);
  text.copied = copied_text{converted.length, converted.cut};
  text.unmappable = converted.unmappable;
  hold_original(units, converted.units_read, field, converted.length);
  return text;
}

// A zeroed block of size bytes starting with the copied bytes of data.
HGLOBAL block_of(const void* data, std::size_t copied, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size);
  if (memory == nullptr) return nullptr;
  locked_block block(memory);
  if (block.bytes() == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  if (copied > 0) std::memcpy(block.bytes(), data, copied);
  return memory;
}

// The UTF-16 form of Shift_JIS text, terminated.
HGLOBAL unicode_block_of(const char* text, std::size_t length) {
  const std::size_t units = length + 1;
  HGLOBAL memory = block_of(nullptr, 0, units * sizeof(char16_t));
  if (memory == nullptr) return nullptr;
  locked_block block(memory);
  sjis_to_utf16(text, length, static_cast<char16_t*>(block.bytes()), units);
  return memory;
}

void (*output_listener)(bool reached) = nullptr;

// Another program may hold the clipboard open a moment (Office, remote desktop, other
// clipboard tools): an output tries again a few times, a short pause apart.
bool open_clipboard_soon(HWND owner) {
  constexpr int tries = 5;
  constexpr DWORD pause_ms = 15;
  for (int t = 1; t < tries; ++t) {
    if (OpenClipboard(owner)) return true;
    Sleep(pause_ms);
  }
  return OpenClipboard(owner) != FALSE;
}

void set_or_free(UINT format, HGLOBAL memory) {
  if (memory != nullptr && SetClipboardData(format, memory) == nullptr) GlobalFree(memory);
}

}  // namespace

clipboard_text read_clipboard_text(char* field, std::size_t field_size, bool own_output) {
  forget_held_original();
  if (unicode_comes_first()) return read_unicode(field, field_size);
  return read_ansi(field, field_size, own_output);
}

void listen_to_clipboard_outputs(void (*listener)(bool reached)) { output_listener = listener; }

bool put_shift_jis_on_clipboard(HWND owner, const char* text, std::size_t length, const std::u16string* original) {
  HGLOBAL ansi = block_of(text, length, length + 1);
  if (ansi == nullptr) return false;
  const std::size_t original_bytes = original != nullptr ? original->size() * sizeof(char16_t) : 0;
  HGLOBAL unicode = original != nullptr ? block_of(original->data(), original_bytes, original_bytes + sizeof(char16_t))
                                        : unicode_block_of(text, length);
  HGLOBAL locale = block_of(&japanese_locale, sizeof japanese_locale, sizeof japanese_locale);
  const bool opened = open_clipboard_soon(owner);
  if (output_listener != nullptr) output_listener(opened);
  if (!opened) {
    for (HGLOBAL memory : {ansi, unicode, locale})
      if (memory != nullptr) GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // CF_TEXT first: it is what this program reads back, byte for byte, as its own output.
  set_or_free(CF_TEXT, ansi);
  set_or_free(CF_UNICODETEXT, unicode);
  set_or_free(CF_LOCALE, locale);
  CloseClipboard();
  return true;
}
