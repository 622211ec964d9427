#!/usr/bin/env bash
# Other programs append to, rewrite, replace and delete the history while the program
# runs, the find window open throughout: menu choices still put back the records the file
# holds, new clips land whole in the file the name stands for, and Enter in the find
# window puts back the row it shows or says the row is gone. A second start in the same
# folder leaves one instance; one in another folder runs beside it.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"

choose_record() { wine "$driver" command $((1000 + $1)); wait_for_clipboard "$2"; }

start_app
# Counted before each copy: the capture may land before copy_text returns.
for text in one two three; do before=$(records _clip.txt); copy_text "$text"; wait_for_records $((before + 1)); done
wine "$driver" command 40061  # 検索窓
wine "$driver" find-class dovane_find
find_text() { command wine "$driver" dialog 検索窓 text "$1" 2>>"$wine_log" | iconv -f CP932 -t UTF-8 | tr -d '\r'; }

# Another program appends two records: the next clip is record 6, and its entry says so.
printf 'ext 4\a\r\next 5\a\r\n' >>"$work/_clip.txt"
copy_text 'new clip'
wait_for_records 6
choose_record 6 'new clip'
choose_record 4 'ext 4'

# Rewritten in place with the same size.
printf 'ONE' | dd of="$work/_clip.txt" conv=notrunc status=none
choose_record 1 'ONE'
choose_record 3 'three'

# Replaced by renaming a new file over it, then removed: clips go to the file the name
# stands for, whole.
printf 'r1\a\r\nr2\a\r\n' >"$work/new.txt"
mv "$work/new.txt" "$work/_clip.txt"
copy_text 'after replace'
wait_for_records 3
expect_file _clip.txt 'r1\a\r\nr2\a\r\nafter replace\a\r\n'
choose_record 2 'r2'
rm "$work/_clip.txt"
copy_text 'after delete'
wait_for_records 1
expect_file _clip.txt 'after delete\a\r\n'
choose_record 1 'after delete'

# Edited where neither the size nor the last 32 bytes change, while the find window shows
# one row: the records after the edit move up by one. Enter puts back that row's text
# (when the window saw the edit first and shows the row anew) or says the row is gone;
# never the text now at the number the row had.
printf 'clip 00%d\a\r\n' 1 2 3 4 5 6 7 8 9 >"$work/_clip.txt"
sleep 1.5
wine "$driver" command 40061
xdotool type --delay 80 '005'
for _ in $(seq 100); do [ "$(find_text 1)" = 005 ] && [ "$(find_text 4)" = 'clip 005' ] && break; sleep 0.1; done
[ "$(find_text 4)" = 'clip 005' ] || { echo "FAIL: the find window does not show clip 005"; exit 1; }
sleep 1
printf 'c\a\r\nlip 001' | dd of="$work/_clip.txt" conv=notrunc status=none
xdotool key Return
sleep 1.5
put_back=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
if [ "$put_back" != 'clip 005' ]; then
  [ "$put_back" = 'after delete' ] || { echo "FAIL: the find window put back \"$put_back\" for clip 005"; exit 1; }
  [ "$(find_text 2)" = 'その行は消えました' ] || { echo "FAIL: the find window did not say the row is gone"; exit 1; }
fi

# A second start here hands over to the running instance and ends.
# Wine's helpers that a start brings up must not hold the test runner's output open.
(cd "$work" && timeout 30 wine "$exe" >>"$wine_log" 2>&1) || { echo "FAIL: the second start did not end by itself"; exit 1; }
kill -0 "$app_pid" || { echo "FAIL: the first instance is gone"; exit 1; }
# One in another folder runs beside it.
other=$(mktemp -d /tmp/dovane_e2e_other_XXXXXX)
(cd "$other" && exec wine "$exe" >>"$wine_log" 2>&1) &
other_pid=$!
end_other() {
  if kill -0 "$other_pid" 2>/dev/null; then (cd "$other" && wine "$driver" close) || true; wait "$other_pid" || true; fi
  rm -rf "$other"
}
trap 'status=$?; end_other; end_copies; cleanup "$status"' EXIT
(cd "$other" && wine "$driver" wait-here) || { echo "FAIL: no instance started in another folder"; exit 1; }
kill -0 "$app_pid" || { echo "FAIL: the first instance is gone"; exit 1; }
(cd "$work" && wine "$driver" wait-here) || { echo "FAIL: the first instance does not answer"; exit 1; }
end_other
end_app
echo "outside_changes: ok"
