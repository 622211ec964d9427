#include "history/link_tag.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "history/clip_output.h"
#include "history/record_append.h"
#include "history/record_file.h"
#include "history/ring.h"
#include "settings/save_report.h"
#include "settings/settings_values.h"

namespace {

constexpr int link_tag_size = 3 * tag_text_size + 2 * clip_size;

}  // namespace

bool make_link_tag(HWND owner) {
  static char tag[link_tag_size];
  std::snprintf(tag, sizeof tag, "%s%s%s%s%s", tag_a, recent_ring[ring_prev_pos].text, tag_b,
                recent_ring[ring_pos].text, tag_c);
  put_text_on_clipboard(owner, tag, std::strlen(tag));
  return report_save(append_line(tag_link_file, tag), kept_file::link_tags, tag_link_file);
}

void open_link_tag_file() {
  record_stream file;
  file.open(tag_link_file, open_mode::append);
}

void clear_link_tag_file() {
  record_stream file;
  report_save(file.open(tag_link_file, open_mode::rewrite) && file.close(), kept_file::link_tags, tag_link_file);
}
