#!/usr/bin/env bash
# Other programs append to, rewrite, replace and delete the history while the program
# runs: menu choices still put back the records the file holds, new clips land whole in
# the file the name stands for. A second start in the same folder leaves one instance;
# one in another folder runs beside it.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"

choose_record() { wine "$driver" command $((1000 + $1)); wait_for_clipboard "$2"; }

start_app
for text in one two three; do copy_text "$text"; wait_for_records "$(( $(records _clip.txt) + 1 ))"; done

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
