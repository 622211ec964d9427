// The clip menus: one append operation for every menu whose entries stand for clips,
// the history-saving switch, the popup choice and the block check marks.
#pragma once
#include <windows.h>

constexpr int history_id_base = 1000;
constexpr int recycle_id_base = 11000;
constexpr int drawer_id_base = 21000;
constexpr int ring_id_base = 45000;
constexpr int register_id_base = 41000;
constexpr int block_id_base = 40100;

// Appends an entry labelled by the clip (none when the label is empty), counts the
// offer, and drops the oldest entry at position 1 once the count passes the limit.
void add_clip_to_menu(HMENU menu, int base_id, int entry_number, const char* text, int limit, int& counter);
void set_history_saving(int on);
void choose_popup(HMENU menu);
// Moves the block check mark to block b and clears the ten drawer menus' entries.
void mark_block(int block);
void add_test_submenu();
