#include "history/clip_originals.h"

#include <cstring>

#include "history/clip_side_file.h"
#include "text/unicode_text.h"

namespace {
std::u16string held;
std::size_t held_for_length = 0;

void append_sjis(const char* text, std::size_t length, std::u16string& out) {
  const std::size_t before = out.size();
  out.resize(before + length + 1);
  out.resize(before + sjis_to_utf16(text, length, &out[before], length + 1));
}
}  // namespace

void hold_original(const char16_t* units, std::size_t count, const char* sjis, std::size_t length) {
  // Characters Shift_JIS lacks, and those it holds under another code point (a wave dash
  // copied as U+301C comes back as U+FF5E), are lost unless the original is kept.
  held.clear();
  append_sjis(sjis, length, held);
  if (held.size() == count && held.compare(0, count, units, count) == 0) {
    held.clear();
    return;
  }
  held.assign(units, count);
  held_for_length = length;
}

void forget_held_original() { held.clear(); }

void keep_side_of_new_clip(const char* clip, const clip_time& now) {
  const bool has_original = !held.empty() && std::strlen(clip) == held_for_length;
  // An original is on disk at once; a time alone may wait for the end of a burst.
  if (has_original)
    keep_side_lines(clip, held.data(), held.size(), &now);
  else
    keep_time_soon(clip, now);
  held.clear();
}

bool compose_with_original(const char* start, const char* clip, const char* end, std::u16string& out) {
  std::u16string original;
  if (!original_of(clip, original)) return false;
  out.clear();
  append_sjis(start, std::strlen(start), out);
  out += original;
  append_sjis(end, std::strlen(end), out);
  return true;
}
