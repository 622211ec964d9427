#include "history/ring.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "history/history_view.h"
#include "history/maintenance.h"
#include "history/record_file.h"
#include "settings/save_report.h"
#include "text/file_replace.h"
#include "text/file_names.h"

ring_slot recent_ring[ring_slots];
int ring_pos = 0;
int ring_prev_pos = 0;
int ring_menu_count = 0;
int ring_full = 0;
int ring_remakes = 0;

namespace {

void wrap_ring_ids() {
  if (ring_menu_count >= ring_slots) {
    ring_full = 1;
    ring_menu_count = 0;
  }
}

// Only the clip's own bytes are written: a slot's untouched rest costs no memory.
void fill_slot(ring_slot& slot, const char* text, int menu_id) {
  std::size_t length = 0;
  while (length < sizeof slot.text - 1 && text[length] != '\0') ++length;
  std::memcpy(slot.text, text, length);
  slot.text[length] = '\0';
  slot.menu_id = menu_id;
}

void add_slot(const char* text) {
  const int menu_id = ring_first_id + ring_menu_count;
  ring_prev_pos = ring_pos;
  ring_pos = ring_pos + 1 == ring_slots ? 0 : ring_pos + 1;
  fill_slot(recent_ring[ring_pos], text, menu_id);
  shown_history().offer_clip(clip_list::ring, ring_menu_count, text, ring_slots, ring_menu_count);
}

}  // namespace

void keep_in_ring(const char* text) {
  wrap_ring_ids();
  add_slot(text);
  if (ring_full == 1) shown_history().drop_oldest_ring_entry();
}

void reload_ring() {
  record_stream file;
  file.open(ring_file_name, open_mode::read);
  int records = 0;
  // Starting at 1 keeps slot k and id 45000 + k together.
  ring_menu_count = 1;
  for (;;) {
    wrap_ring_ids();
    if (read_record(file, records) != read_result::record) break;
    add_slot(clip_text);
    // A file longer than the ring (one saved in the other separator mode splits its
    // clips) would otherwise leave entries whose slots newer records have taken.
    if (records > ring_slots) shown_history().drop_oldest_ring_entry();
  }
}

bool save_ring() {
  // Written beside the ring file and put in its place in one step, so a failed or
  // interrupted save leaves the last ring whole.
  static const char temporary[] = "tmpclipsave.tmp";
  record_stream file;
  bool written = file.open(temporary, open_mode::rewrite);
  for (const ring_slot& slot : recent_ring)
    if (written && slot.text[0] != '\0') written = write_record(file, slot.text);
  written = file.flush() && written;
  written = file.close() && written;
  const bool saved = written && replace_file(temporary, ring_file_name);
  if (!saved) remove_file(temporary);
  return report_save(saved, kept_file::ring, ring_file_name);
}

void forget_from_ring(const char* text) {
  std::vector<std::string> kept;
  bool found = false;
  // The slot after the newest is the oldest once the ring has wrapped, else empty.
  for (int k = 1; k <= ring_slots; ++k) {
    const ring_slot& slot = recent_ring[(ring_pos + k) % ring_slots];
    if (slot.text[0] == '\0') continue;
    if (std::strcmp(slot.text, text) == 0)
      found = true;
    else
      kept.emplace_back(slot.text);
  }
  if (!found) return;
  clear_ring();
  for (const std::string& clip : kept) {
    wrap_ring_ids();
    add_slot(clip.c_str());
  }
}

void clear_ring() {
  for (ring_slot& slot : recent_ring) {
    slot.text[0] = '\0';
    slot.menu_id = 0;
  }
  shown_history().clear_list(clip_list::ring);
  ring_pos = 0;
  ring_prev_pos = 0;
  // As a start makes it: slot k under id 45000 + k.
  ring_menu_count = 1;
  ring_full = 0;
  ++ring_remakes;
}

void take_ring_clip(int id) {
  int chosen = 0;
  for (int s = 0; s < ring_slots; ++s)
    if (recent_ring[s].menu_id == id) chosen = s;
  std::memcpy(clip_text, recent_ring[chosen].text, std::strlen(recent_ring[chosen].text) + 1);
  if (history_saving == 0) append_to_history(clip_text);
}
