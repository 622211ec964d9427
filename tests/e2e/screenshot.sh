#!/usr/bin/env bash
# After a few captures the main window is opened with its "開く" command and the screen
# is kept as a build artefact (build/.../artifacts/main_window.png), status line and all.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"
start_app
for text in 'first clip' '二番目のクリップ' 'あいうえお dovane'; do
  copy_text "$text"
  for _ in $(seq 50); do
    [ "$(grep -c $'\a' "$work/_clip.txt" 2>/dev/null || true)" -ge "$((${#xclip_pids[@]} - 1))" ] && break
    sleep 0.1
  done
done
wine "$driver" show
sleep 2
import -window root "$(artifact main_window.png)"
end_app
[ "$(grep -c $'\a' "$work/_clip.txt")" -eq 3 ] || { echo "FAIL: three captures expected"; exit 1; }
[ -s "$(artifact main_window.png)" ] || { echo "FAIL: no screenshot"; exit 1; }
echo "screenshot: $(artifact main_window.png)"
