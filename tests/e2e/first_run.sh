#!/usr/bin/env bash
# The exe started in an empty folder and closed leaves the first-run settings file.
. "$(dirname "$0")/e2e_lib.sh"
start_app
end_app
expect_file dovane_clip.ini '[init]\r\nback num=0\r\nmax=500\r\nhis max=10\r\nmode=DOVANE\r\nsave=no-history\r\nspname=1\r\n[special]\r\n1=special\r\n'
[ -f "$work/_clip.txt" ] || { echo "FAIL: no _clip.txt"; exit 1; }
echo "first run: ok"
