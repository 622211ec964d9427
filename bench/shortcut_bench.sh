#!/usr/bin/env bash
# Times the shortcut's menu and paste under Wine against the real program and Wine's own
# notepad, and prints the medians. Usage: bench/shortcut_bench.sh MINGW_BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
export WINEPREFIX_OVERRIDE="$build/wineprefix"
. "$(dirname "$0")/../tools/wine_env.sh"
work=$(mktemp -d /tmp/dovane_bench_XXXXXX)
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_own_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
unset DISPLAY
start_own_xvfb
prepare_wine_prefix
printf 'first clip\a\r\nsecond clip\a\r\nthird clip\a\r\n' >"$work/_clip.txt"
printf '[init]\r\nsave=history\r\nhotkey=Ctrl+Shift+V\r\npaste=1\r\n' >"$work/dovane_clip.ini"
(cd "$work" && exec wine "$build/dovane_clip.exe") >/dev/null 2>&1 &
(cd "$work" && exec wine notepad) >/dev/null 2>&1 &
wine "$build/e2e_driver.exe" wait
wine "$build/e2e_driver.exe" find-class Notepad
wine "$build/shortcut_bench.exe"
