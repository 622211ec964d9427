// The ring of the last 50 new clips, their entries in the ring menu, and the file that
// keeps them between runs.
#pragma once
#include "history/record_file.h"
#include "settings/settings_values.h"

constexpr int ring_first_id = 45000;  // slot k's entry, k = 0-49, has ring_first_id + k

struct ring_slot {
  char text[clip_size];  // the whole clip, so a choice puts back all of it
  int menu_id;           // 0 while the slot is empty
};

extern ring_slot recent_ring[ring_slots];
extern int ring_pos;         // slot of the newest clip
extern int ring_prev_pos;    // slot of the clip before it
extern int ring_menu_count;  // offset of the next ring-menu id; cycles 0-49
extern int ring_full;        // set once the ids have wrapped

// Keeps a new clip in the next slot and lists it in the ring menu; once the ids have
// wrapped, the oldest entry leaves the menu.
void keep_in_ring(const char* text);
// Fills the ring and its menu from "tmpclipsave.txt".
void reload_ring();
// Writes every filled slot, in slot order, to "tmpclipsave.txt", replacing the file in
// one step; false (and the user told) when it could not be saved.
bool save_ring();
// Every slot that holds text is emptied, and the ring and its list are made again from
// the clips left, oldest first, as a start makes them from the ring file.
void forget_from_ring(const char* text);
void clear_ring();
// Raised each time the ring is made again.
extern int ring_remakes;
// A ring-menu choice: the slot listed under id becomes clip_text (slot 0 when no slot
// has that id), for the caller to put back; with history saving off it is also appended
// to the history.
void take_ring_clip(int id);
