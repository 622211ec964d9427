#!/usr/bin/env bash
# A history of 12,000 records: the tray icon is right-clicked with the mouse and the
# newest history entry chosen with the keyboard, as a user would. Its identifier lies past
# the history range, so only the menu that holds it can tell what it stands for.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
awk 'BEGIN { for (n = 1; n <= 12000; n++) printf "clip %d\a\r\n", n }' >"$work/_clip.txt"
# "max" above the count, so start-up keeps all 12,000 records rather than compacting.
printf '[init]\r\nsave=history\r\nmax=20000\r\n' >"$work/dovane_clip.ini"
start_app
sleep 1

right_click_tray_icon
sleep 1
# Down to "歴", Right into it (its oldest listed entry), Up round to its newest, Return.
for key in Down Right Up Return; do xdotool key "$key"; sleep 0.3; done
wait_for_clipboard 'clip 12000'
kill -0 "$app_pid" || { echo "FAIL: the program ended"; exit 1; }
wine "$driver" wait
end_app
# The choice is remembered as a re-use of record 12000.
expect_file _recycle_index.txt '12000\r\n'
echo "tray history choice: ok"
