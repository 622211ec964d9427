#include "app/notice_lines.h"

#include "app/app_state.h"
#include "app/status_note.h"
#include "app/ui_text.h"
#include "text/sjis.h"

namespace {

int text_width(HDC dc, const char* text, size_t length) {
  SIZE size{};
  const std::wstring shown = wide_from_sjis(std::string_view(text, length));
  GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
  return size.cx;
}

// Bytes of the longest run of whole characters from text that fits width; at least one
// character, so a width narrower than a character still moves on.
size_t fitting_bytes(HDC dc, const char* text, int width) {
  size_t fits = sjis_char_length(text);
  while (text[fits] != '\0') {
    const size_t next = fits + sjis_char_length(text + fits);
    if (text_width(dc, text, next) > width) break;
    fits = next;
  }
  return fits;
}

}  // namespace

int notice_width(int client_width) { return client_width - 10 * base_unit_x; }

std::vector<std::string> break_notice(HDC dc, const char* notice, int width) {
  std::vector<std::string> lines;
  while (*notice != '\0') {
    const size_t length = fitting_bytes(dc, notice, width);
    lines.emplace_back(notice, length);
    notice += length;
  }
  return lines;
}

int notice_line_count(int client_width) {
  if (status_note()[0] == '\0') return 0;
  HDC dc = GetDC(main_window);
  HGDIOBJ previous_font = SelectObject(dc, view_font);
  const size_t count = break_notice(dc, status_note(), notice_width(client_width)).size();
  SelectObject(dc, previous_font);
  ReleaseDC(main_window, dc);
  return static_cast<int>(count);
}

void draw_notice(HDC dc, int top, int client_width, int line_height) {
  const COLORREF previous_color = SetTextColor(dc, RGB(192, 0, 0));
  for (const std::string& line : break_notice(dc, status_note(), notice_width(client_width))) {
    const std::wstring shown = wide_from_sjis(line);
    TextOutW(dc, 0, top, shown.c_str(), static_cast<int>(shown.size()));
    top += line_height;
  }
  SetTextColor(dc, previous_color);
}
