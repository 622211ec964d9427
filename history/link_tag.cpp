#include "history/link_tag.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "history/clip_output.h"
#include "history/history_streams.h"
#include "history/ring.h"
#include "settings/settings_values.h"

namespace {

constexpr int link_tag_size = 3 * tag_text_size + 2 * ring_text_size;

bool write_tag_line(const char* tag) {
  if (!link_tag_writer.is_open()) return false;
  link_tag_writer.write(tag, std::strlen(tag));
  link_tag_writer.write("\n", 1);
  return link_tag_writer.flush();
}

}  // namespace

bool make_link_tag(HWND owner) {
  char tag[link_tag_size];
  std::snprintf(tag, sizeof tag, "%s%s%s%s%s", tag_a, recent_ring[ring_prev_pos].text, tag_b,
                recent_ring[ring_pos].text, tag_c);
  put_text_on_clipboard(owner, tag, std::strlen(tag));
  return write_tag_line(tag);
}

void open_link_tag_file() { link_tag_writer.open(tag_link_file, open_mode::append); }

void clear_link_tag_file() {
  link_tag_writer.close();
  link_tag_writer.open(tag_link_file, open_mode::rewrite);
}
