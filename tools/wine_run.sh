#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's prefix; starts its own Xvfb when
# there is no display, and stops exactly that one afterwards.
. "$(dirname "${BASH_SOURCE[0]}")/fixed_layout.sh"
set -u
. "$(dirname "$0")/wine_env.sh"
given_display=${DISPLAY:-}
start_own_xvfb || exit 1
# The caller's display went away: its tests would have lost their desktop and clipboard.
if [ -n "$given_display" ] && [ -n "$own_xvfb_pid" ]; then
  echo "wine_run: display $given_display did not answer; this run uses $DISPLAY of its own" >&2
fi
prepare_wine_prefix
# Wine's helper processes (explorer, services) outlive the program; they must not hold
# our caller's output pipe open, so the program's output goes through a file.
output=$(mktemp)
wine "$@" >"$output" 2>&1
rc=$?
# Where the address layout could not be fixed (fixed_layout.sh), about one start in 7,700
# ends at once with 1 before the program runs: a test program prints its first line before
# any test. That start alone is made again; the test command lists every such start.
if [ "$rc" -eq 1 ] && [ ! -s "$output" ]; then
  echo "$(date +%T) $*" >>"$DOVANE_BUILD/wine_start_failures.log"
  wine "$@" >"$output" 2>&1
  rc=$?
fi
cat "$output"
# Wine's own start-up errors are silenced with WINEDEBUG=-all; a failure says what we know.
if [ "$rc" -ne 0 ] && [ ! -s "$output" ]; then
  echo "wine_run: $1 exited with $rc and printed nothing; display $DISPLAY" \
    "$(xdpyinfo >/dev/null 2>&1 && echo answers || echo does not answer)," \
    "Wine server $(wineserver -k0 2>/dev/null && echo running || echo not running)" >&2
fi
rm -f "$output"
if [ -n "$own_xvfb_pid" ] || in_lang_prefix; then wineserver -k 2>/dev/null; fi
stop_own_xvfb
exit $rc
