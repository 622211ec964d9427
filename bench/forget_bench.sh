#!/usr/bin/env bash
# Runs the forget benchmark under Wine in a scratch folder and prints its table.
# Usage: bench/forget_bench.sh MINGW_BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/bench_lib.sh" "$1"
cd "$work" && wine "$build/forget_bench.exe"
