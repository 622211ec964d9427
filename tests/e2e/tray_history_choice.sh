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

# The notification area is the right end of the virtual desktop's taskbar, the bottom
# 20 pixels of the screen; ours is its only icon, the one spot there that is not white.
read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
shot=$(mktemp /tmp/dovane_tray_XXXXXX.png)
import -window root "$shot"
box=$(convert "$shot" -crop "200x20+$((width - 200))+$((height - 20))" +repage -fuzz 10% -format '%@' info:)
rm -f "$shot"
[[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || { echo "FAIL: no tray icon found ($box)"; exit 1; }
x=$((width - 200 + BASH_REMATCH[3] + BASH_REMATCH[1] / 2))
y=$((height - 20 + BASH_REMATCH[4] + BASH_REMATCH[2] / 2))

xdotool mousemove "$x" "$y" click 3
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
