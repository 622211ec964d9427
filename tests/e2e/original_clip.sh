#!/usr/bin/env bash
# Texts Shift_JIS cannot hold, copied in Linux, come back exactly as copied from the ring,
# the history menu and the find window, after a restart, with history saving off and on;
# a long clip comes back whole from the ring; the history holds the Shift_JIS bytes it
# always has, with "?" for what Shift_JIS lacks.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
long=''
for n in $(seq 100 310); do long+="長い文章の long text $n "; done
long+='😊'
texts=('ありがとう😊' 'José Müller' '你好世界' "$long")
queries=('ありがとう' 'Jos' '世界' 'long text')
sjis() { printf '%s' "$1" | sed 's/😊/?/; s/é/?/; s/ü/?/; s/你/?/' | iconv -f UTF-8 -t CP932; printf '\a\r\n'; }
records_of() { local n; for n in "$@"; do sjis "${texts[$n]}"; done; }
[ "$(records_of 3 | wc -c)" -gt 5000 ] || { echo "FAIL: the long clip is too short"; exit 1; }

copy_all() {
  local text
  for text in "${texts[@]}"; do copy_text "$text"; sleep 0.5; done
  copy_text ''
}
find_and_choose() {
  wine "$driver" command 40061
  wine "$driver" find-class dovane_find
  sleep 1
  xdotool type --delay 80 "$1"
  sleep 1
  xdotool key "${@:2}" Return
}

# Saving off: the clips live in the ring and its file only.
start_app
copy_all
wait_for_records 4 tmpclipsave.txt
end_app
start_app
for k in 1 2 3 4; do
  wine "$driver" command $((45000 + k))
  wait_for_clipboard "${texts[$((k - 1))]}"
done
find_and_choose "${queries[0]}"
wait_for_clipboard "${texts[0]}"
end_app
# A ring choice with saving off goes into the history too, in Shift_JIS as ever.
expect_file _clip.txt "$(records_of 0 1 2 3 0 | od -An -v -tx1 | tr -d ' \n' | sed 's/../\\x&/g')"

# Saving on: the same texts copied again are records 6 to 9.
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"
start_app
copy_all
wait_for_records 9
end_app
start_app
for k in 1 2 3 4; do
  wine "$driver" command $((1005 + k))
  wait_for_clipboard "${texts[$((k - 1))]}"
  # The last row is the oldest history record that holds the text.
  find_and_choose "${queries[$((k - 1))]}" Next Next
  wait_for_clipboard "${texts[$((k - 1))]}"
done
end_app
expect_file _clip.txt "$(records_of 0 1 2 3 0 0 1 2 3 | od -An -v -tx1 | tr -d ' \n' | sed 's/../\\x&/g')"
echo "original clip: ok"
