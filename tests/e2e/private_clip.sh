#!/usr/bin/env bash
# A text that another program marks as not for clipboard history (as password managers
# do) reaches neither the history nor the ring file, while ordinary copies still do.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"

# Waits until the history file holds the bytes (history records are flushed one by one).
wait_for_history() {
  local expected=$1
  for _ in $(seq 100); do
    if cmp -s <(printf '%b' "$expected") "$work/_clip.txt"; then return 0; fi
    sleep 0.1
  done
  expect_file _clip.txt "$expected"
}

start_app
copy_text 'before secret'
wait_for_history 'before secret\a\r\n'
wine "$driver" private 'correct horse battery staple'
wait_for_clipboard 'correct horse battery staple'
copy_text 'after secret'
wait_for_history 'before secret\a\r\nafter secret\a\r\n'
end_app
expect_file _clip.txt 'before secret\a\r\nafter secret\a\r\n'
expect_file tmpclipsave.txt 'before secret\a\r\nafter secret\a\r\n'
echo "private clip: ok"
