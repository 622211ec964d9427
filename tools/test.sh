#!/usr/bin/env bash
# Runs every test layer: native unit tests under sanitizers, fuzzers for a bounded time,
# and the Win32 in-process and end-to-end tests under Wine and Xvfb.
. "$(dirname "${BASH_SOURCE[0]}")/fixed_layout.sh"
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine_env.sh
# One run per build folder at a time: another run's build would rewrite the test program
# while ours starts it, and the end of its Win32 run would stop the Wine server under
# ours; either makes a test fail at once without a word. The lock is held by flock
# itself, so Wine's and Xvfb's processes never keep it.
if [ -z "${DOVANE_TEST_LOCK:-}" ]; then
  mkdir -p "$DOVANE_BUILD"
  export DOVANE_TEST_LOCK="$DOVANE_BUILD/.test_run.lock"
  flock -n "$DOVANE_TEST_LOCK" true || echo "waiting for the other test run in $DOVANE_BUILD"
  exec flock -o "$DOVANE_TEST_LOCK" "$repo_root/tools/test.sh" "$@"
fi
./tools/install_deps.sh
./tools/check_layers.sh
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B "$DOVANE_BUILD/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$DOVANE_BUILD/native" -j "$jobs"
cmake -S . -B "$DOVANE_BUILD/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$DOVANE_BUILD/win32" -j "$jobs"

status=0
(cd "$DOVANE_BUILD/native" && ctest --output-on-failure -j "$jobs") || status=1
if [ -x tools/run_fuzzers.sh ]; then ./tools/run_fuzzers.sh || status=1; fi

# One display and one Wine server for the whole Win32 run; both are ours and stopped below.
trap 'wineserver -k 2>/dev/null || true; stop_own_xvfb' EXIT
unset DISPLAY
start_own_xvfb
prepare_wine_prefix
wineserver -p >/dev/null 2>&1
rm -f "$DOVANE_BUILD/wine_start_failures.log"
(cd "$DOVANE_BUILD/win32" && ctest --output-on-failure) || status=1
if [ -s "$DOVANE_BUILD/wine_start_failures.log" ]; then
  echo "Wine did not start these test programs at the first try; they were started again:"
  cat "$DOVANE_BUILD/wine_start_failures.log"
fi
exit $status
