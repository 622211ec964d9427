#!/usr/bin/env bash
# Runs the find-window benchmark under Wine in a scratch folder and prints its table.
# Usage: bench/find_bench.sh MINGW_BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/bench_lib.sh" "$1"
cd "$work" && wine "$build/find_bench.exe"
