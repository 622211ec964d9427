#!/usr/bin/env bash
# The find window over a history of 3,000 records, typed into with real keys: Enter puts
# back the newest record that holds every term however it is written (full-width letters,
# hiragana for katakana), as its history-menu entry would; Escape changes nothing.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
artifacts="$(dirname "$exe")/artifacts"
mkdir -p "$artifacts"
{
  awk 'BEGIN { for (n = 1; n <= 9; n++) printf "clip %d\a\r\n", n }'
  printf 'りんごジュース (apple)\a\r\n' | iconv -f UTF-8 -t CP932
  awk 'BEGIN { for (n = 11; n <= 2996; n++) printf "clip %d\a\r\n", n }'
  printf 'apple pie\a\r\n'
  printf 'ＡＰＰＬＥ ジュース\a\r\n' | iconv -f UTF-8 -t CP932
  printf 'grape juice\a\r\n'
  printf 'banana\a\r\n'
} >"$work/_clip.txt"
printf 'banana jam\a\r\n' >"$work/_special3.txt"
printf 'cherry tart\a\r\n' >"$work/_1special5.txt"
# Clips the compaction moved aside earlier.
printf 'quince tart\a\r\nclip 12\a\r\n' >"$work/1_clip_bak.txt"
printf 'quince jam\a\r\n' >"$work/2_clip_bak.txt"
printf '[init]\r\nsave=history\r\nmax=20000\r\n' >"$work/dovane_clip.ini"
start_app
sleep 1

find_window_shown() { command wine "$driver" names 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' | grep -q -x '検索窓'; }
# Keys typed on a busy machine arrive late; nothing is pressed until the edit holds them all.
typed_text() { command wine "$driver" dialog 検索窓 text 1 2>>"$wine_log" | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
wait_for_typed() {
  for _ in $(seq 100); do [ "$(typed_text)" = "$1" ] && return 0; sleep 0.1; done
  echo "FAIL: the find window's edit holds \"$(typed_text)\", not \"$1\""; exit 1
}
# Opened from the main window with its own key.
wine "$driver" show
sleep 1
xdotool key ctrl+f
wine "$driver" find-class dovane_find
sleep 1
xdotool type --delay 80 'apple じゅーす'
wait_for_typed 'apple じゅーす'
import -window root "$artifacts/find_window.png"
# Down to the older match, put back without closing; Up to the newest, put back and closed.
xdotool key Down ctrl+Return
wait_for_clipboard 'りんごジュース (apple)'
find_window_shown || { echo "FAIL: Ctrl+Enter closed the find window"; exit 1; }
xdotool key Up Return
wait_for_clipboard 'ＡＰＰＬＥ ジュース'

find_window_shown && { echo "FAIL: Enter left the find window open"; exit 1; }

# Opened from the icon's menu, whose last item it is.
right_click_tray_icon
sleep 1
xdotool key Up Return
wine "$driver" find-class dovane_find
sleep 1
xdotool type --delay 80 'banana'
wait_for_typed banana
xdotool key Escape
sleep 1
if find_window_shown; then echo "FAIL: Escape left the find window open"; exit 1; fi
wait_for_clipboard 'ＡＰＰＬＥ ジュース'

# The genre's phrases come before the history: the first row is drawer 3's; a phrase of
# another block than the one on show is listed and put back too.
for typed in BANANA:'banana jam' cherry:'cherry tart'; do
  wine "$driver" command 40061
  wine "$driver" find-class dovane_find
  sleep 1
  xdotool type --delay 80 "${typed%%:*}"
  wait_for_typed "${typed%%:*}"
  xdotool key Return
  wait_for_clipboard "${typed#*:}"
done

# A clip captured while the window is open joins the list, once: as history record 3,001
# in the place of the ring's newest clip.
wine "$driver" command 40061
wine "$driver" find-class dovane_find
sleep 1
xdotool type --delay 80 'kiwi'
wait_for_typed kiwi
counted() { command wine "$driver" dialog 検索窓 text 2 2>>"$wine_log" | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
for _ in $(seq 100); do [ "$(counted)" = "0 件" ] && break; sleep 0.1; done
copy_text 'kiwi smoothie'
for _ in $(seq 100); do [ "$(counted)" = "1 件" ] && break; sleep 0.1; done
[ "$(counted)" = "1 件" ] || { echo "FAIL: the clip copied while the window is open is counted \"$(counted)\", not 1 件"; exit 1; }
xdotool key Down Return
for _ in $(seq 50); do find_window_shown || break; sleep 0.2; done
find_window_shown && { echo "FAIL: Enter left the find window open"; exit 1; }

# A phrase registered while the window is open joins the list.
wine "$driver" command 40061
wine "$driver" find-class dovane_find
sleep 1
xdotool type --delay 80 'kiwi'
wait_for_typed kiwi
for _ in $(seq 100); do [ "$(counted)" = "1 件" ] && break; sleep 0.1; done
wine "$driver" command 41004
for _ in $(seq 100); do [ "$(counted)" = "2 件" ] && break; sleep 0.1; done
[ "$(counted)" = "2 件" ] || { echo "FAIL: the phrase registered while the window is open is not listed: \"$(counted)\""; exit 1; }
wine "$driver" close-class dovane_find
for _ in $(seq 50); do find_window_shown || break; sleep 0.2; done

# A clip found only in a backup comes back through the history, as its newest record.
wine "$driver" command 40061
wine "$driver" find-class dovane_find
sleep 1
xdotool type --delay 80 'quince'
wait_for_typed quince
for _ in $(seq 100); do [ "$(counted)" = "2 件" ] && break; sleep 0.1; done
[ "$(counted)" = "2 件" ] || { echo "FAIL: the backups' clips are counted \"$(counted)\", not 2 件"; exit 1; }
xdotool key Down Return
wait_for_clipboard 'quince tart'
kill -0 "$app_pid" || { echo "FAIL: the program ended"; exit 1; }
end_app
# Each history choice is remembered as a re-use of its record, as a history-menu choice is;
# a phrase is not.
expect_file _recycle_index.txt '10\r\n2998\r\n3001\r\n3002\r\n'
echo "find window: ok ($artifacts/find_window.png)"
