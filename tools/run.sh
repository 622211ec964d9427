#!/usr/bin/env bash
# Builds dovane_clip.exe and runs it under Wine in a data folder, on the user's display
# or on an Xvfb display of its own when there is none.
. "$(dirname "${BASH_SOURCE[0]}")/fixed_layout.sh"
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install_deps.sh
. tools/wine_env.sh
cmake -S . -B "$DOVANE_BUILD/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$DOVANE_BUILD/win32" -j "$(nproc 2>/dev/null || echo 2)" --target dovane_clip readme
data_dir="${DOVANE_DATA:-$HOME/dovane_clip_data}"
mkdir -p "$data_dir"
# The user's readme, which the "read&me" command opens from the data folder; a copy
# the user has edited is left alone.
[ -f "$data_dir/readme.txt" ] || cp "$DOVANE_BUILD/win32/readme.txt" "$data_dir/"
echo "data folder: $data_dir (every state file of the program is kept there)"
trap 'stop_own_xvfb' EXIT
start_own_xvfb
[ -n "$own_xvfb_pid" ] && echo "no display found: running on Xvfb display $DISPLAY"
prepare_wine_prefix
cd "$data_dir"
wine "$DOVANE_BUILD/win32/dovane_clip.exe"
