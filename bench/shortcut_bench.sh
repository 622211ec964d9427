#!/usr/bin/env bash
# Times the shortcut's menu and paste under Wine against the real program and Wine's own
# notepad, and prints the medians. Usage: bench/shortcut_bench.sh MINGW_BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/bench_lib.sh" "$1"
printf 'first clip\a\r\nsecond clip\a\r\nthird clip\a\r\n' >"$work/_clip.txt"
printf '[init]\r\nsave=history\r\nhotkey=Ctrl+Shift+V\r\npaste=1\r\n' >"$work/dovane_clip.ini"
(cd "$work" && exec wine "$build/dovane_clip.exe") >/dev/null 2>&1 &
(cd "$work" && exec wine notepad) >/dev/null 2>&1 &
wine "$build/e2e_driver.exe" wait
wine "$build/e2e_driver.exe" find-class Notepad
wine "$build/shortcut_bench.exe"
