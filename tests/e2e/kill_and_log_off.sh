#!/usr/bin/env bash
# A kill at any instant loses no clip of the session, even with history saving off: the
# ring is on disk after every capture. Ending the desktop session saves the ring and
# every setting changed in the run, and the program ends cleanly.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"

wait_for_ring() {
  local expected=$1
  for _ in $(seq 100); do
    cmp -s <(printf '%b' "$expected") "$work/tmpclipsave.txt" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "FAIL: tmpclipsave.txt never held the clips"; od -c "$work/tmpclipsave.txt" | head; exit 1
}

start_app
copy_text 'one'
wait_for_ring 'one\a\r\n'
copy_text 'two'
wait_for_ring 'one\a\r\ntwo\a\r\n'
copy_text 'three'
wait_for_ring 'one\a\r\ntwo\a\r\nthree\a\r\n'
kill -9 "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

start_app
for n in 1 2 3; do
  wine "$driver" command $((45000 + n))
  wait_for_clipboard "$(printf 'one\ntwo\nthree' | sed -n "${n}p")"
done

# History saving switched on in this run must survive a log-off.
wine "$driver" command 40046
for _ in $(seq 50); do grep -qs '^save=history' "$work/dovane_clip.ini" && break; sleep 0.1; done
grep -q '^save=history' "$work/dovane_clip.ini" || { echo "FAIL: the changed setting was not saved at once"; exit 1; }
copy_text 'four'
# The text still on the clipboard at the restart came in as a clip of its own.
wait_for_ring 'one\a\r\ntwo\a\r\nthree\a\r\nthree\a\r\nfour\a\r\n'
# The ring file is written again by the program's own shutdown (the settings file too,
# but with the same bytes, which need not touch it).
saved_before="$(stat -c '%.9Y' "$work/tmpclipsave.txt")"
wineboot --end-session --shutdown >>"$wine_log" 2>&1
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && { echo "FAIL: the program outlived the session"; exit 1; }
wait "$app_pid" || { echo "FAIL: the program did not end cleanly"; exit 1; }
app_pid=""
grep -q '^save=history' "$work/dovane_clip.ini" || { echo "FAIL: settings lost at log-off"; exit 1; }
saved_after="$(stat -c '%.9Y' "$work/tmpclipsave.txt")"
awk -v before="$saved_before" -v after="$saved_after" 'BEGIN { exit !(after > before) }' ||
  { echo "FAIL: the session's end did not run the shutdown save"; exit 1; }
wait_for_ring 'one\a\r\ntwo\a\r\nthree\a\r\nthree\a\r\nfour\a\r\n'
# Ring choices with history saving off go to the history too.
expect_file _clip.txt 'one\a\r\ntwo\a\r\nthree\a\r\nfour\a\r\n'
echo "kill_and_log_off: ok"
