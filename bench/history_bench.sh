#!/usr/bin/env bash
# Runs the history benchmarks under Wine in a scratch folder and prints their table.
# Usage: bench/history_bench.sh MINGW_BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/bench_lib.sh" "$1"
cp "$build/dovane_clip.exe" "$build/empty_window.exe" "$work/"
cd "$work" && wine "$build/history_bench.exe" dovane_clip.exe empty_window.exe
