#include "app/clip_display.h"

#include "app/ui_text.h"
#include "history/clip_side_file.h"
#include "text/menu_label.h"

namespace {
std::wstring wide_of(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
}  // namespace

std::wstring clip_display(const char* clip, std::size_t max_bytes, char tab_shows_as) {
  std::u16string original;
  if (original_of(clip, original))
    return wide_of(make_display_text(original, max_bytes, static_cast<char16_t>(tab_shows_as)));
  std::string shown(max_bytes + 1, '\0');
  shown.resize(make_display_text(clip, max_bytes, tab_shows_as, &shown[0]));
  return wide_from_sjis(shown);
}

std::wstring clip_whole_text(const char* clip) {
  std::u16string original;
  return original_of(clip, original) ? wide_of(original) : wide_from_sjis(clip);
}
