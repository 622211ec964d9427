#!/usr/bin/env bash
# Texts copied by Linux programs, Japanese included, arrive in the history as Shift_JIS
# records; the ring file keeps them at exit, and after a restart the ring menu puts them
# back on the clipboard.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
japanese='日本語のクリップ、全角カナ'
expected_records=$( { printf 'first clip\a\r\n'; sjis "$japanese"; printf '\a\r\n'; } | od -An -tx1 | tr -d ' \n')

hex_of() { od -An -tx1 "$work/$1" | tr -d ' \n'; }

start_app
copy_text 'first clip'
wait_for_records 1
copy_text "$japanese"
wait_for_records 2
end_app
[ "$(hex_of _clip.txt)" = "$expected_records" ] || { echo "FAIL: _clip.txt"; od -c "$work/_clip.txt"; exit 1; }
[ "$(hex_of tmpclipsave.txt)" = "$expected_records" ] || { echo "FAIL: tmpclipsave.txt"; od -c "$work/tmpclipsave.txt"; exit 1; }

# After a restart the reloaded ring entries 45001 and 45002 hold the two clips.
start_app
wine "$driver" command 45001
wait_for_clipboard 'first clip'
wine "$driver" command 45002
wait_for_clipboard "$japanese"
end_app
echo "capture: ok"
