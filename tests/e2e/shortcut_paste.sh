#!/usr/bin/env bash
# The clip menu at the text cursor, in Wine's own notepad with text and its caret in the
# middle: the shortcut, pressed as a real key, opens the menu just below notepad's caret;
# "2" pastes the second-newest clip at the caret; Escape changes nothing; the menu's last
# entry opens the find window, whose Enter pastes there too; a shortcut taken
# by another program is refused in the dialog, which then sets a shortcut with Alt that
# still pastes, even with Alt held, without leaving notepad's menu bar open; with pasting
# off a choice only reaches the clipboard. The dialog with its refusal and the menu in
# notepad are kept as screenshots (artifacts/shortcut_dialog.png, shortcut_menu.png).
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
trap 'status=$?; wine "$driver" notepad-close || true; end_copies; cleanup "$status"' EXIT
printf 'first\a\r\nsecond\a\r\nthird\a\r\n' >"$work/_clip.txt"
printf '[init]\r\nsave=history\r\nhotkey=Ctrl+Shift+V\r\npaste=1\r\n' >"$work/dovane_clip.ini"
start_app
(cd "$work" && exec wine notepad) &
wine "$driver" find-class Notepad

step="start"
fail() { echo "FAIL ($step): $*"; exit 1; }
state() { command wine "$driver" notepad-state 2>>"$wine_log" | tr -d '\r'; }
field() { state | awk -v k="$1" '$1 == k { $1 = ""; sub(/^ /, ""); print }'; }
text() { command wine "$driver" notepad-text 2>>"$wine_log" | tr -d '\r'; }
wait_for() {
  for _ in $(seq 60); do [ "$(field "$1")" = "$2" ] && return 0; sleep 0.1; done
  fail "notepad's $1 is \"$(field "$1")\", not \"$2\""
}
wait_for_text() {
  for _ in $(seq 60); do [ "$(text)" = "$1" ] && return 0; sleep 0.1; done
  fail "notepad holds \"$(text)\", not \"$1\""
}
menu_rect=""
wait_for_menu() {
  for _ in $(seq 60); do
    menu_rect=$(field menu)
    [ -n "$menu_rect" ] && [ "$menu_rect" != none ] && return 0
    sleep 0.1
  done
  fail "no menu opened"
}
# Notepad in the foreground with its edit focused, and nothing else open.
expect_notepad_as_left() {
  wait_for menu none
  wait_for foreground yes
  wait_for focus yes
  wait_for menu-mode no
  wait_for_text "$1"
  wait_for selection "$2"
}
# The user clicks notepad's title bar (notepad sits at the desktop's top left).
back_to_notepad() {
  xdotool mousemove 400 10 click 1
  wait_for foreground yes
}
# OK, and the dialog gone before anything else is clicked.
dialog_ok() {
  dialog click 1 1
  for _ in $(seq 50); do
    command wine "$driver" names 2>>"$wine_log" | iconv -f CP932 -t UTF-8 | grep -q -x -F $'ショートカットキー\r' || return 0
    sleep 0.1
  done
  fail "the dialog stayed open"
}
dialog() { command wine "$driver" dialog "ショートカットキー" "$@" 2>>"$wine_log" | iconv -f CP932 -t UTF-8 | tr -d '\r'; }

step="digit 2"
wine "$driver" notepad-set "hello world" 5
expect_notepad_as_left "hello world" "5 5"
read -r caret_left _ _ caret_bottom < <(field caret)
xdotool key ctrl+shift+v
wait_for_menu
read -r menu_left menu_top _ _ <<<"$menu_rect"
[ "$menu_left" -eq "$caret_left" ] && [ "$menu_top" -ge "$caret_bottom" ] && [ "$menu_top" -le $((caret_bottom + 2)) ] ||
  fail "the menu at $menu_rect is not just below the caret at $(field caret)"
import -window root "$(artifact shortcut_menu.png)"
xdotool key 2
expect_notepad_as_left "hellosecond world" "11 11"
wait_for_clipboard second

step="escape"
xdotool key ctrl+shift+v
wait_for_menu
xdotool key Escape
expect_notepad_as_left "hellosecond world" "11 11"

step="find window"
# "検索...", the menu's last entry: the find window in front, typed into at once; the
# clip Enter puts back lands at notepad's caret, and Escape goes back to notepad.
find_from_menu() {
  xdotool key ctrl+shift+v
  wait_for_menu
  xdotool key Up Return
  for _ in $(seq 60); do
    [ "$(command wine "$driver" focus 2>>"$wine_log" | tr -d '\r')" = "dovane_find Edit" ] && return 0
    sleep 0.1
  done
  fail "the find window's edit does not have the keys"
}
find_from_menu
xdotool type --delay 50 fir
xdotool key Return
expect_notepad_as_left "hellosecondfirst world" "16 16"
wait_for_clipboard first
find_from_menu
xdotool type --delay 50 thi
xdotool key Escape
expect_notepad_as_left "hellosecondfirst world" "16 16"

step="taken key"
# Another program holds Ctrl+Shift+B: the dialog says so and the old shortcut stays.
command wine "$driver" hold-hotkey 6 66 60 >"$work/held" 2>>"$wine_log" &
holder=$!
for _ in $(seq 50); do grep -q held "$work/held" && break; sleep 0.1; done
wine "$driver" command 40060
dialog hotkey 1101 $((66 + 256 * 3))
dialog click 1 1
for _ in $(seq 30); do [ -n "$(dialog text 1103)" ] && break; sleep 0.1; done
[ "$(dialog text 1103)" = "ショートカット Ctrl+Shift+B は他のプログラムが使っています" ] ||
  fail "the dialog said \"$(dialog text 1103)\""
import -window root "$(artifact shortcut_dialog.png)"
dialog click 2 1
kill "$holder" 2>/dev/null || true
grep -q '^hotkey=Ctrl+Shift+V' "$work/dovane_clip.ini" || fail "the refused key reached the settings file"

step="alt shortcut"
# Ctrl+Alt+V, chosen in the dialog and saved at once; first pressed and let go.
wine "$driver" command 40060
dialog hotkey 1101 $((86 + 256 * 6))
dialog_ok
for _ in $(seq 30); do grep -q '^hotkey=Ctrl+Alt+V' "$work/dovane_clip.ini" && break; sleep 0.1; done
grep -q '^hotkey=Ctrl+Alt+V' "$work/dovane_clip.ini" || fail "the dialog's key was not saved"
back_to_notepad
wine "$driver" notepad-set "abc" 1
expect_notepad_as_left "abc" "1 1"
xdotool key ctrl+alt+v
wait_for_menu
xdotool key 1
expect_notepad_as_left "athirdbc" "6 6"
step="alt held"
# Then with Alt still held while the entry is clicked: the paste still lands, and the
# next letter typed goes into the text, not to a menu bar.
xdotool keydown alt
xdotool key ctrl+v
wait_for_menu
read -r menu_left menu_top _ _ <<<"$menu_rect"
xdotool mousemove $((menu_left + 30)) $((menu_top + 10)) click 1
wait_for_text "athirdthirdbc"
xdotool keyup alt
xdotool key x
expect_notepad_as_left "athirdthirdxbc" "12 12"

step="paste off"
# Pasting off: the clip reaches the clipboard and notepad stays as it was.
wine "$driver" command 40060
dialog check 1102 0
dialog_ok
for _ in $(seq 30); do grep -q '^paste=' "$work/dovane_clip.ini" || break; sleep 0.1; done
grep -q '^paste=' "$work/dovane_clip.ini" && fail "pasting off still in the settings file"
back_to_notepad
xdotool key ctrl+alt+v
wait_for_menu
xdotool key 3
wait_for_clipboard first
expect_notepad_as_left "athirdthirdxbc" "12 12"
# Pasting on again; a choice from the icon's menu pastes into notepad, where the user was
# before reaching for the icon.
step="icon menu"
wine "$driver" command 40060
dialog check 1102 1
dialog_ok
for _ in $(seq 30); do grep -q '^paste=1' "$work/dovane_clip.ini" && break; sleep 0.1; done
back_to_notepad
wine "$driver" notepad-set "" 0
expect_notepad_as_left "" "0 0"
sleep 0.5
right_click_tray_icon
wait_for_menu
# Keys do not reach the icon's menu while another program had the focus; the mouse does:
# "歴", then the newest entry, the last of the menu that opens beside it.
read -r menu_left menu_top _ _ <<<"$menu_rect"
xdotool mousemove $((menu_left + 30)) $((menu_top + 10)) click 1
for _ in $(seq 30); do
  history_rect=$(command wine "$driver" menus 2>>"$wine_log" | tr -d '\r' | grep -v -x -F "$menu_rect" | head -1)
  [ -n "$history_rect" ] && break
  sleep 0.1
done
read -r history_left _ _ history_bottom <<<"$history_rect"
xdotool mousemove $((history_left + 30)) $((history_bottom - 10)) click 1
for _ in $(seq 60); do [ -n "$(text)" ] && break; sleep 0.1; done
clip=$(timeout 5 xclip -o -selection clipboard | tr -d '\r')
[ -n "$clip" ] && [ "$(text)" = "$clip" ] || fail "notepad holds \"$(text)\", the clipboard \"$clip\""
end_app
echo "shortcut paste: ok"
