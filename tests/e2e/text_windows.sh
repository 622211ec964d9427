#!/usr/bin/env bash
# 前略, 早々 and 落書 open beside the main window without covering it or each other, wholly
# on the work area; a window the user moved and sized opens there again. The screen is
# kept as a screenshot (artifacts/text_windows.png).
. "$(dirname "$0")/e2e_lib.sh"
rect() { command wine "$driver" rect "$1" 2>>"$wine_log" | tr -d '\r'; }
wait_rect() {
  for _ in $(seq 50); do rect "$1" >/dev/null && { rect "$1"; return 0; }; sleep 0.1; done
  echo "FAIL: no window $1" >&2; exit 1
}

start_app
wine "$driver" show
wine "$driver" command 0      # 前略
wine "$driver" command 6      # 早々
wine "$driver" command 40018  # 落書
names=(. 前略 早々 1:)
rects=()
for name in "${names[@]}"; do rects+=("$(wait_rect "$name")"); done
read -r wl wt wr wb <<<"$(command wine "$driver" work-area 2>>"$wine_log" | tr -d '\r')"
sleep 1
import -window root "$(artifact text_windows.png)"
for i in "${!names[@]}"; do
  read -r l t r b <<<"${rects[$i]}"
  [ "$l" -ge "$wl" ] && [ "$t" -ge "$wt" ] && [ "$r" -le "$wr" ] && [ "$b" -le "$wb" ] ||
    { echo "FAIL: ${names[$i]} at ${rects[$i]} leaves the work area $wl $wt $wr $wb"; exit 1; }
  for j in "${!names[@]}"; do
    [ "$j" -gt "$i" ] || continue
    read -r l2 t2 r2 b2 <<<"${rects[$j]}"
    if [ "$l" -lt "$r2" ] && [ "$l2" -lt "$r" ] && [ "$t" -lt "$b2" ] && [ "$t2" -lt "$b" ]; then
      echo "FAIL: ${names[$i]} (${rects[$i]}) covers ${names[$j]} (${rects[$j]})"; exit 1
    fi
  done
done

# Moved and sized by the user, closed and opened again: where the user left it.
wine "$driver" move 前略 700 420 1100 700
wine "$driver" command 0
wine "$driver" command 0
[ "$(wait_rect 前略)" = "700 420 1100 700" ] || { echo "FAIL: 前略 reopened at $(rect 前略)"; exit 1; }
end_app
echo "text windows: ok; screenshot: $(artifact text_windows.png)"
