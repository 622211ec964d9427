#!/usr/bin/env bash
# Runs the history benchmarks under Wine in a scratch folder and prints their table.
# Usage: bench/history_bench.sh MINGW_BUILD_DIR [side|steps]   ("side": only the side file's
# rows; "steps": only the steps, the letter search and the re-use file's appends)
set -euo pipefail
. "$(dirname "$0")/bench_lib.sh" "$@"
cp "$build/dovane_clip.exe" "$build/empty_window.exe" "$work/"
cd "$work" && wine "$build/history_bench.exe" dovane_clip.exe empty_window.exe "${@:2}"
