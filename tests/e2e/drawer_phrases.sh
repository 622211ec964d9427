#!/usr/bin/env bash
# A fixed phrase registered in one run is inserted from its drawer after a restart, and
# the open drawer editor is kept as a screenshot (build/.../artifacts/drawer_editor.png).
. "$(dirname "$0")/e2e_lib.sh"
artifacts="$(dirname "$exe")/artifacts"
mkdir -p "$artifacts"
phrase='いつもお世話になっております。'
copy_pid=""
end_copy() {
  if [ -n "$copy_pid" ]; then kill "$copy_pid" 2>/dev/null || true; wait "$copy_pid" 2>/dev/null || true; fi
  copy_pid=""
}
trap 'status=$?; end_copy; cleanup "$status"' EXIT

clipboard_holds() {
  for _ in $(seq 50); do
    [ "$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)" = "$1" ] && return 0
    sleep 0.2
  done
  echo "FAIL: the clipboard never held: $1"; exit 1
}

hex_of() { od -An -tx1 "$work/$1" | tr -d ' \n'; }
expected=$( { printf '%s' "$phrase" | iconv -f UTF-8 -t CP932; printf '\a\r\n'; } | od -An -tx1 | tr -d ' \n')

# With history saving on, the history shows when the phrase has been captured.
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"
printf '%s' "$phrase" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
copy_pid=$!
start_app
for _ in $(seq 100); do
  [ -f "$work/_clip.txt" ] && [ "$(hex_of _clip.txt)" = "$expected" ] && break
  sleep 0.1
done
wine "$driver" command 41003
end_copy
end_app
[ "$(hex_of _special3.txt)" = "$expected" ] || { echo "FAIL: _special3.txt"; od -c "$work/_special3.txt"; exit 1; }

# Record 1 of drawer 3 is entry 21000 + 3 x 1500 + 1.
start_app
wine "$driver" command 25501
clipboard_holds "$phrase"
wine "$driver" command 40054
sleep 2
import -window root "$artifacts/drawer_editor.png"
end_app
[ -s "$artifacts/drawer_editor.png" ] || { echo "FAIL: no screenshot"; exit 1; }
echo "drawer phrases: ok; screenshot: $artifacts/drawer_editor.png"
