#!/usr/bin/env bash
# The shortcut's clip list over a program of the tests that prints every focus and
# activation change it is told of: the list reads as the menu it stands for (1-9 and 0 on
# the ten newest clips, separators, "検索..." last); a digit pastes that clip and the
# program sees no focus change, from opening to paste; Escape, other keys and a click
# beside it close the list, the other key reaching the program; a clip another program copies while the list
# is open does not change what "2" pastes; a Shift still held is let go before the paste
# keys; 20 openings in a row each take their keys, and the find window opened from the
# list gets the keys at once, in Wine's virtual desktop and then outside it under a
# window manager (openbox), where each window is an X window of its own.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
plain_prefix="$DOVANE_BUILD/wineprefix_plain"
target_pid="" openbox_pid=""
stop_target() {
  [ -n "$target_pid" ] || return 0
  command wine "$driver" close-class dovane_test_target >/dev/null 2>&1 || true
  wait "$target_pid" 2>/dev/null || true
  target_pid=""
}
stop_own() {
  stop_target
  if [ "$WINEPREFIX" = "$plain_prefix" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -n "$openbox_pid" ]; then kill "$openbox_pid" 2>/dev/null || true; wait "$openbox_pid" 2>/dev/null || true; fi
}
trap 'status=$?; stop_own; end_copies; cleanup "$status"' EXIT

step="start"
fail() { echo "FAIL ($step): $*"; echo "target saw:"; cat "$log"; exit 1; }
list_text() { command wine "$driver" list 2>>"$wine_log" | tr -d '\r'; }
wait_for_list() {
  for _ in $(seq 60); do [ -n "$(list_text)" ] && return 0; sleep 0.1; done
  fail "no list opened"
}
wait_for_no_list() {
  for _ in $(seq 60); do [ -z "$(list_text)" ] && return 0; sleep 0.1; done
  fail "the list stayed open"
}
target_text() { tr -d '\r' <"$log" | grep '^text ' | tail -1 | cut -c6- || true; }
wait_for_text() {
  for _ in $(seq 60); do [ "$(target_text)" = "$1" ] && return 0; sleep 0.1; done
  fail "the program holds \"$(target_text)\", not \"$1\""
}
# Focus and activation changes the program was told of since line $mark of its log.
changes_since_mark() { tail -n +$((mark + 1)) "$log" | tr -d '\r' | grep -v '^text ' || true; }
expect_no_focus_change() {
  [ -z "$(changes_since_mark)" ] || fail "the program saw: $(changes_since_mark | tr '\n' ' ')"
}
start_target() {
  log="$work/target_$1.log"
  : >"$log"
  command wine "$driver" target >"$log" 2>>"$wine_log" &
  target_pid=$!
  # The focus must be the program's and stay so over three looks: a window manager may
  # give it to a window that came up meanwhile, and the user then clicks the program.
  local steady=0
  for i in $(seq 100); do
    if [ "$(command wine "$driver" focus 2>>"$wine_log" | tr -d '\r')" = "dovane_test_target Edit" ]; then
      steady=$((steady + 1))
      [ "$steady" -ge 3 ] && break
    else
      steady=0
      if [ $((i % 20)) -eq 0 ] && [ -n "$openbox_pid" ]; then
        xdotool search --name '^target$' windowactivate --sync >/dev/null 2>&1 || true
      fi
    fi
    sleep 0.1
  done
  [ "$(command wine "$driver" focus 2>>"$wine_log" | tr -d '\r')" = "dovane_test_target Edit" ] ||
    fail "the program never had the focus"
  # What the start itself told it is not counted.
  sleep 0.5
  mark=$(wc -l <"$log")
}
# 20 openings, alternately a digit and Escape; then the find window from the list.
openings_in_a_row() {
  local typed first i
  typed=$(target_text)
  for i in $(seq 20); do
    step="opening $i $1"
    xdotool key ctrl+shift+v
    wait_for_list
    if [ $((i % 2)) -eq 1 ]; then
      first=$(list_text | sed -n 's/^&1 //p')
      xdotool key 1
      typed="${typed}${first}"
    else
      xdotool key Escape
    fi
    wait_for_no_list
    wait_for_text "$typed"
  done
  expect_no_focus_change
  step="find window $1"
  xdotool key ctrl+shift+v
  wait_for_list
  xdotool key Up Return
  for _ in $(seq 60); do
    [ "$(command wine "$driver" focus 2>>"$wine_log" | tr -d '\r')" = "dovane_find Edit" ] && break
    sleep 0.1
  done
  [ "$(command wine "$driver" focus 2>>"$wine_log" | tr -d '\r')" = "dovane_find Edit" ] ||
    fail "the find window's edit does not have the keys: $(command wine "$driver" focus 2>>"$wine_log")"
  xdotool type --delay 50 c05
  xdotool key Return
  wait_for_text "${typed}c05"
}

for n in $(seq -w 1 12); do printf 'c%s\a\r\n' "$n"; done >"$work/_clip.txt"
printf '[init]\r\nsave=history\r\nhotkey=Ctrl+Shift+V\r\npaste=1\r\n' >"$work/dovane_clip.ini"
start_app
start_target desktop

step="the list as read"
xdotool key ctrl+shift+v
wait_for_list
list_text >"$work/list"
[ "$(grep -c '^level ' "$work/list")" -eq 1 ] || fail "not one list: $(cat "$work/list")"
expected_digits=$(for d in 1 2 3 4 5 6 7 8 9 0; do n=$(printf '%02d' $((13 - (d == 0 ? 10 : d)))); echo "&$d c$n"; done)
[ "$(sed -n 2,11p "$work/list")" = "$expected_digits" ] || fail "the ten newest read: $(sed -n 2,11p "$work/list" | tr '\n' '|')"
[ "$(sed -n 12p "$work/list")" = "-" ] || fail "no separator after the clips"
[ "$(tail -n 2 "$work/list" | tr '\n' '|')" = "-|検索...|" ] || fail "the list ends: $(tail -n 2 "$work/list" | tr '\n' '|')"
expect_no_focus_change

step="digit 2"
xdotool key 2
wait_for_no_list
wait_for_text "c11"
expect_no_focus_change

step="escape and another key"
xdotool key ctrl+shift+v
wait_for_list
xdotool key Escape
wait_for_no_list
xdotool key ctrl+shift+v
wait_for_list
xdotool key x
wait_for_no_list
wait_for_text "c11x"
# A click beside the list closes it and reaches the program, which keeps the focus.
xdotool key ctrl+shift+v
wait_for_list
read -r _ _ list_top list_right _ < <(list_text | head -1)
xdotool mousemove $((list_right + 40)) $((list_top + 5)) click 1
wait_for_no_list
expect_no_focus_change

step="a copy while the list is open"
xdotool key ctrl+shift+v
wait_for_list
copy_text "newclip"
for _ in $(seq 50); do grep -q newclip "$work/_clip.txt" && break; sleep 0.1; done
grep -q newclip "$work/_clip.txt" || fail "the copy was not captured"
xdotool key 2
wait_for_text "c11xc11"
xdotool key ctrl+shift+v
wait_for_list
[ "$(list_text | sed -n 2,3p | tr '\n' '|')" = "&1 newclip|&2 c12|" ] || fail "the next list reads: $(list_text | tr '\n' '|')"
xdotool key Escape
wait_for_no_list
expect_no_focus_change

step="shift held"
# The user keeps Shift down from the shortcut while choosing: Ctrl+Shift+V would paste
# nothing, so Shift is let go before the paste keys.
xdotool keydown shift
xdotool key ctrl+v
wait_for_list
xdotool key 3
wait_for_text "c11xc11c11"
xdotool keyup shift
expect_no_focus_change
stop_target
end_app

start_app
start_target desktop_openings
openings_in_a_row "in the virtual desktop"
stop_target
end_app

# Outside the virtual desktop, under a window manager, as on a Linux desktop.
export WINEPREFIX="$plain_prefix"
DOVANE_NO_VIRTUAL_DESKTOP=1 prepare_wine_prefix
openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!
for n in $(seq -w 1 12); do printf 'c%s\a\r\n' "$n"; done >"$work/_clip.txt"
start_app
# Without a tray on the display, Wine shows the icon in a window of its own, which the
# window manager focuses when it comes up: the program's target starts after it.
for _ in $(seq 100); do xdotool search --name '^Wine System Tray$' >/dev/null 2>&1 && break; sleep 0.1; done
start_target window_manager
openings_in_a_row "under a window manager"
stop_target
end_app
echo "clip list: ok"
