#!/usr/bin/env bash
# ヘルプ › テンポラリフォルダ opens the data folder through Wine's bridge to the host's
# opener (here a stand-in for xdg-open that notes what it was given), not in Wine's own
# folder window, whose closing takes Wine's desktop down some seconds later. Copies made
# well after that time are still recorded.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"
mkdir "$work/host_bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/host_opened"\n' "$work" >"$work/host_bin/xdg-open"
chmod +x "$work/host_bin/xdg-open"
export PATH="$work/host_bin:$PATH"

start_app
wine "$driver" command 103
for _ in $(seq 100); do [ -s "$work/host_opened" ] && break; sleep 0.1; done
[ "$(cat "$work/host_opened" 2>/dev/null)" = "file://$work" ] ||
  { echo "FAIL: the host opener was given: $(cat "$work/host_opened" 2>/dev/null)"; exit 1; }
sleep 8
for text in 'after the folder 1' 'after the folder 2' 'after the folder 3'; do
  copy_text "$text"
  for _ in $(seq 50); do [ "$(records)" -ge "$((${#xclip_pids[@]} - 1))" ] && break; sleep 0.1; done
done
[ "$(records)" -eq 3 ] || { echo "FAIL: $(records) of 3 copies recorded after the folder was opened"; exit 1; }
end_app
echo "temp folder: ok"
