#!/usr/bin/env bash
# A history of 600 records on disk is compacted at start-up: the oldest 500 go to the
# first backup and the newest 100 stay as the history, byte for byte.
. "$(dirname "$0")/e2e_lib.sh"
# Shift_JIS text ("あい") and a clip's own CR LF, stored as CR CR LF.
records() {
  local n
  for ((n = $1; n <= $2; n++)); do printf 'clip %d \x82\xa0\x82\xa2\r\r\nline 2\a\r\n' "$n"; done
}
records 1 600 > "$work/_clip.txt"
start_app
end_app
cmp -s <(records 1 500) "$work/1_clip_bak.txt" || { echo "FAIL: 1_clip_bak.txt differs"; exit 1; }
cmp -s <(records 501 600) "$work/_clip.txt" || { echo "FAIL: _clip.txt differs"; exit 1; }
[ ! -e "$work/0_clip_bak.txt" ] || { echo "FAIL: the keep file stayed"; exit 1; }
grep -q '^back num=1' "$work/dovane_clip.ini" || { echo "FAIL: back num not raised"; exit 1; }
echo "compaction: ok"
