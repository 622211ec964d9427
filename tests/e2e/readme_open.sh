#!/usr/bin/env bash
# "read&me" in a folder without readme.txt writes the built-in one there, byte for byte,
# and opens it in Wine's notepad without waiting for it: copies made while it is open and
# after it is closed are all recorded.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"
copy_and_wait() {
  copy_text "$1"
  for _ in $(seq 50); do [ "$(records)" -ge "$((${#xclip_pids[@]} - 1))" ] && break; sleep 0.1; done
}

start_app
wine "$driver" command 40013
wine "$driver" find-class Notepad
cmp -s "$work/readme.txt" "$(dirname "$exe")/readme.txt" || { echo "FAIL: the written readme differs from the built one"; exit 1; }
copy_and_wait 'while the readme is open 1'
copy_and_wait 'while the readme is open 2'
[ "$(records)" -eq 2 ] || { echo "FAIL: $(records) of 2 copies recorded while the readme was open"; exit 1; }
wine "$driver" close-class Notepad
sleep 8
copy_and_wait 'after the readme'
[ "$(records)" -eq 3 ] || { echo "FAIL: $(records) of 3 copies recorded after the readme was closed"; exit 1; }
end_app
echo "readme open: ok"
