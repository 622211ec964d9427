#!/usr/bin/env bash
# Runs the find-window benchmark under Wine in a scratch folder and prints its table.
# Usage: bench/find_bench.sh MINGW_BUILD_DIR
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
cd "$work" && wine "$build/find_bench.exe"
