#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's prefix; starts its own Xvfb when
# there is no display, and stops exactly that one afterwards.
set -u
. "$(dirname "$0")/wine_env.sh"
start_own_xvfb || exit 1
prepare_wine_prefix
# Wine's helper processes (explorer, services) outlive the program; they must not hold
# our caller's output pipe open, so the program's output goes through a file.
output=$(mktemp)
wine "$@" >"$output" 2>&1
rc=$?
cat "$output"
rm -f "$output"
if [ -n "$own_xvfb_pid" ]; then wineserver -k 2>/dev/null; stop_own_xvfb; fi
exit $rc
