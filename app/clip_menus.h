// The clip menus: one append operation for every menu whose entries stand for clips,
// the history-saving switch, the popup choice and the block check marks.
#pragma once
#include <windows.h>

#include <string>

#include "history/ring.h"

constexpr int history_id_base = 1000;
constexpr int recycle_id_base = 11000;
constexpr int drawer_id_base = 21000;
constexpr int ring_id_base = ring_first_id;
constexpr int register_id_base = 41000;
constexpr int block_id_base = 40100;
constexpr int drawer_menu_first_id = 21001;
constexpr int drawer_menu_last_id = 35999;
// Entries whose number lies past their kind's range share this identifier, which lies in
// no range and names no command: a plain command with it does nothing, while a choice
// from the menu still reaches the entry through the number it carries.
constexpr int parked_entry_id = 60000;

// base_id + number while that stays within the base's own range (history and re-use
// records 1-5999, drawer records 1-1499, ring slots 0-49), else parked_entry_id.
int clip_entry_id(int base_id, int number);
// Appends a string item that carries number, the record or genre it stands for.
void append_clip_entry(HMENU menu, int id, const char* label, int number);
void append_clip_entry(HMENU menu, int id, std::wstring label, int number);
// The number carried by the item at position; 0 for items that stand for no record.
int clip_entry_number(HMENU menu, int position);
// Appends an entry labelled by the clip (none when the label is empty), counts the
// offer, and drops the oldest entry at position 1 once the count passes the limit.
void add_clip_to_menu(HMENU menu, int base_id, int entry_number, const char* text, int limit, int& counter);
// The same with the count kept by the caller: drop_oldest when the offer passed the limit.
void place_clip_in_menu(HMENU menu, int base_id, int entry_number, const char* text, bool drop_oldest);
// Every menu of the menu bar, each of which can be the popup's root, reports a choice
// by its holding menu and position (WM_MENUCOMMAND).
void notify_menus_by_position();
void set_history_saving(int on);
void choose_popup(HMENU menu);
// Moves the block check mark to block b and clears the ten drawer menus' entries.
void mark_block(int block);
extern int test_submenu_count;
void add_test_submenu();
