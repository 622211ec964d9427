#!/usr/bin/env bash
# Shows the main window with a clip on it and keeps a screenshot of the screen as a build
# artefact (build/.../artifacts/main_window.png).
. "$(dirname "$0")/e2e_lib.sh"
artifacts="$(dirname "$exe")/artifacts"
mkdir -p "$artifacts"
printf '%s' "あいうえお dovane" | xclip -selection clipboard -loops 1 >/dev/null 2>&1 &
xclip_pid=$!
start_app
wine "$driver" show
sleep 2
import -window root "$artifacts/main_window.png"
end_app
kill "$xclip_pid" 2>/dev/null || true
wait "$xclip_pid" 2>/dev/null || true
[ -s "$artifacts/main_window.png" ] || { echo "FAIL: no screenshot"; exit 1; }
echo "screenshot: $artifacts/main_window.png"
