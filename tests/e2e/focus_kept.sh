#!/usr/bin/env bash
# Where the user types keeps its text, selection and focus, in Wine's own notepad: a
# selection is replaced by a clip from the shortcut's list exactly as Ctrl+V replaces it;
# in the Save As dialog a typed name stays and the clip lands after it, Escape leaves the
# name, its selection and the focus as they were, and the find window opened from the
# list, and the icon's menu, give the dialog back its selection before pasting; a drawer's phrase reached
# through the list's submenus with the arrow keys is pasted, and after it, and after a URL
# and its caption copied in notepad make a link tag, the next keys still reach notepad.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
trap 'status=$?; wine "$driver" notepad-close || true; end_copies; cleanup "$status"' EXIT
printf 'c01\a\r\nlater\a\r\n-name\a\r\n' >"$work/_clip.txt"
printf 'drawerphrase\a\r\n' >"$work/_special3.txt"
printf '[init]\r\nsave=history\r\nhotkey=Ctrl+Shift+V\r\npaste=1\r\n' >"$work/dovane_clip.ini"
start_app
(cd "$work" && exec wine notepad) &
wine "$driver" find-class Notepad

step="start"
fail() { echo "FAIL ($step): $*"; exit 1; }
focus_edit() { command wine "$driver" focus-edit 2>>"$wine_log" | tr -d '\r'; }
# The foreground window's class, its focus's class, the focus's text and selection.
expect_focus_edit() {
  local expected
  expected=$(printf 'window %s\nfocus Edit\ntext %s\nselection %s' "$1" "$2" "$3")
  for _ in $(seq 60); do [ "$(focus_edit)" = "$expected" ] && return 0; sleep 0.1; done
  fail "the focus holds $(focus_edit | tr '\n' '|'), not $(tr '\n' '|' <<<"$expected")"
}
levels() { command wine "$driver" list 2>>"$wine_log" | grep -c '^level ' || true; }
wait_for_levels() {
  for _ in $(seq 60); do [ "$(levels)" -eq "$1" ] && return 0; sleep 0.1; done
  fail "$(levels) levels open, not $1"
}
list_open() { [ -n "$(command wine "$driver" list 2>>"$wine_log" | tr -d '\r')" ]; }
open_list() {
  xdotool key ctrl+shift+v
  for _ in $(seq 60); do list_open && return 0; sleep 0.1; done
  fail "no list opened"
}

step="selection in notepad"
wine "$driver" notepad-set "hello world" 6 11
expect_focus_edit Notepad "hello world" "6 11"
open_list
xdotool key 2
expect_focus_edit Notepad "hello later" "11 11"

step="save as"
xdotool key ctrl+s
expect_focus_edit "#32770" "*.txt" "0 5"
xdotool type --delay 30 report
expect_focus_edit "#32770" "report" "6 6"
open_list
xdotool key 1
expect_focus_edit "#32770" "report-name" "11 11"

step="escape in save as"
xdotool key shift+Left shift+Left
expect_focus_edit "#32770" "report-name" "9 11"
open_list
xdotool key Escape
for _ in $(seq 60); do list_open || break; sleep 0.1; done
expect_focus_edit "#32770" "report-name" "9 11"

step="find window in save as"
open_list
xdotool key Up Return
for _ in $(seq 60); do
  [ "$(command wine "$driver" focus 2>>"$wine_log" | tr -d '\r')" = "dovane_find Edit" ] && break
  sleep 0.1
done
xdotool type --delay 50 c01
xdotool key Return
expect_focus_edit "#32770" "report-nac01" "12 12"

step="icon menu in save as"
# The icon's menu takes the focus; the dialog gets back its name and caret: "歴", then
# its newest entry, the last of the menu that opens beside it.
right_click_tray_icon
for _ in $(seq 30); do menu_rect=$(command wine "$driver" menus 2>>"$wine_log" | tr -d '\r' | head -1); [ -n "$menu_rect" ] && break; sleep 0.1; done
read -r menu_left menu_top _ _ <<<"$menu_rect"
xdotool mousemove $((menu_left + 30)) $((menu_top + 10)) click 1
for _ in $(seq 30); do
  history_rect=$(command wine "$driver" menus 2>>"$wine_log" | tr -d '\r' | grep -v -x -F "$menu_rect" | head -1)
  [ -n "$history_rect" ] && break
  sleep 0.1
done
read -r history_left _ _ history_bottom <<<"$history_rect"
xdotool mousemove $((history_left + 30)) $((history_bottom - 10)) click 1
expect_focus_edit "#32770" "report-nac01-name" "17 17"
xdotool key Escape
expect_focus_edit Notepad "hello later" "11 11"

step="drawer phrase"
# "S 引出" › "3" › the phrase, with the arrow keys; Left closes a submenu again. The keys
# typed after the paste still reach notepad.
open_list
xdotool key Home Down Down Down Down Down Right
wait_for_levels 2
xdotool key Down Down Down Right
wait_for_levels 3
[ "$(command wine "$driver" list 2>>"$wine_log" | tr -d '\r' | sed -n 3p)" = drawerphrase ] || fail "drawer 3 reads: $(command wine "$driver" list | tr '\r\n' '||')"
xdotool key Left
wait_for_levels 2
xdotool key Right
wait_for_levels 3
xdotool key Return
expect_focus_edit Notepad "hello laterdrawerphrase" "23 23"
xdotool type --delay 30 " x"
expect_focus_edit Notepad "hello laterdrawerphrase x" "25 25"

step="link tag"
# The URL, then its caption, copied in notepad: the tag's notice shows, and what the user
# types next still goes into notepad.
wine "$driver" notepad-set "http://example.jp/ page" 0 18
expect_focus_edit Notepad "http://example.jp/ page" "0 18"
xdotool key ctrl+c
wait_for_clipboard "http://example.jp/"
wine "$driver" notepad-set "http://example.jp/ page" 19 23
xdotool key ctrl+c
wait_for_clipboard '<a href="http://example.jp/">page</a>'
xdotool key End
xdotool type --delay 30 " typed"
expect_focus_edit Notepad "http://example.jp/ page typed" "29 29"
end_app
echo "focus kept: ok"
