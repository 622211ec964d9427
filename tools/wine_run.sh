#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's prefix; starts its own Xvfb when
# there is no display, and stops exactly that one afterwards.
set -u
. "$(dirname "$0")/wine_env.sh"
start_own_xvfb || exit 1
prepare_wine_prefix
wine "$@"
rc=$?
if [ -n "$own_xvfb_pid" ]; then wineserver -k 2>/dev/null; stop_own_xvfb; fi
exit $rc
