#!/usr/bin/env bash
# A secret copied among other clips, moved into a backup by a compaction, copied again
# and chosen once from the find window (so the re-use list names it), then forgotten there
# with Delete and Enter: afterwards no file of the data folder holds its bytes, the other
# clips are where they were and no window shows it. A copy from a program named in
# "ignore=" is kept nowhere.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
secret='s3cret PIN 8841'
holding() { grep -rl --binary-files=text "$1" "$work" || true; }
typed_text() { command wine "$driver" dialog 検索窓 text 1 2>>"$wine_log" | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
open_find_typing() {
  wine "$driver" command 40061
  wine "$driver" find-class dovane_find
  sleep 1
  xdotool type --delay 80 "$1"
  for _ in $(seq 100); do [ "$(typed_text)" = "$1" ] && return 0; sleep 0.1; done
  echo "FAIL: the find window's edit holds \"$(typed_text)\""; exit 1
}
fillers() { awk -v from="$1" -v to="$2" 'BEGIN { for (n = from; n <= to; n++) printf "filler %d\a\r\n", n }'; }

printf '[init]\r\nsave=history\r\nmax=500\r\nignore=putty.exe; %s\r\n' "$(basename "$driver")" >"$work/dovane_clip.ini"
start_app
copy_text 'before the secret'
wait_for_records 1
copy_text "$secret"
wait_for_records 2
copy_text 'after the secret'
wait_for_records 3
end_app
end_copies
copy_text ''
# 520 more records: the next start moves the oldest 500, the secret among them, to a backup.
fillers 1 520 >>"$work/_clip.txt"
start_app
grep -q "$secret" "$work/1_clip_bak.txt" || { echo "FAIL: the secret is not in the backup"; exit 1; }
copy_text "$secret"
wait_for_records 24
# The ring holds the secret twice (the saved ring's and the new clip) and the history once:
# one row, history record 24 in the ring's place, whose choice is a re-use.
open_find_typing 'PIN 8841'
xdotool key Return
for _ in $(seq 50); do grep -q '^24' "$work/_recycle_index.txt" 2>/dev/null && break; sleep 0.1; done
expect_file _recycle_index.txt '24\r\n'

open_find_typing 'PIN 8841'
xdotool key Delete
# Enter answers the question once it is there: its Yes button is found.
for _ in $(seq 10); do command wine "$driver" dialog dovane_clip text 6 >/dev/null 2>>"$wine_log" && break; done
xdotool key Return
for _ in $(seq 100); do [ -z "$(holding "$secret")" ] && break; sleep 0.1; done
[ -z "$(holding "$secret")" ] || { echo "FAIL: still held by: $(holding "$secret")"; exit 1; }
command wine "$driver" names | grep -q "$secret" && { echo "FAIL: a window still shows the secret"; exit 1; }

# A copy from the driver, which "ignore" names, is kept nowhere. The driver owns the
# clipboard until the next copy takes it; that one is kept, so the one before was seen.
wine "$driver" copy 'from an ignored program' &
owner_pid=$!
wait_for_clipboard 'from an ignored program'
before=$(records)
copy_text 'after the ignored copy'
wait_for_records $((before + 1))
wait "$owner_pid"
end_app
[ -z "$(holding "$secret")" ] || { echo "FAIL: after the end, still held by: $(holding "$secret")"; exit 1; }
[ -z "$(holding 'from an ignored program')" ] || { echo "FAIL: the ignored copy was kept"; exit 1; }
expect_file 1_clip_bak.txt "before the secret\a\r\nafter the secret\a\r\n$(fillers 1 497)\n"
expect_file _clip.txt "$(fillers 498 520)\nafter the ignored copy\a\r\n"
expect_file _recycle_index.txt ''
expect_file _recycle.txt ''
echo "forget clip: ok"
