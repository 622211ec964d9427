#!/usr/bin/env bash
# Programs that keep the clipboard open a moment after copying, as Office and remote
# desktop do: every clip is still captured.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"
start_app
wine "$driver" copy-and-hold 'held clip 1' 50
wait_for_records 1
wine "$driver" copy-and-hold 'held clip 2' 50
wait_for_records 2
end_app
expect_file _clip.txt 'held clip 1\a\r\nheld clip 2\a\r\n'
echo "busy_clipboard: ok"
