#!/usr/bin/env bash
# Note and affix windows keep their names ("1:", "前略", ...) whatever the user types into
# them, as another program (a taskbar, a task switcher, the window manager) reads them:
# first in Wine's virtual desktop, then with each window an X window of its own, as a Linux
# desktop runs the program. Screenshots of a note, an affix window and the version dialog
# are kept as build artefacts.
. "$(dirname "$0")/e2e_lib.sh"
plain_prefix="$DOVANE_BUILD/wineprefix_plain"
stop_plain_wine() { if [ "$WINEPREFIX" = "$plain_prefix" ]; then wineserver -k 2>/dev/null || true; fi; }
trap 'cleanup; stop_plain_wine' EXIT

names() { command wine "$driver" names 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }

wait_for_names() {
  local count=$1
  for _ in $(seq 50); do
    [ "$(names | grep -c -x -E '[12]:|前略|早々' || true)" -ge "$count" ] && return 0
    sleep 0.2
  done
  echo "FAIL: the windows never all showed their names:"; names; exit 1
}

typed=()
type_into() {
  wine "$driver" type "$1" "$2"
  typed+=("$2")
}

# Every expected name is a whole line, and no typed text has become a window's name (the
# main window's title shows the clip, which may well be a typed text coming back).
expect_names() {
  local listed name
  listed=$(names)
  for name in "$@"; do
    grep -q -x -F "$name" <<<"$listed" || { echo "FAIL: no window named $name; names:"; echo "$listed"; exit 1; }
  done
  for name in "${typed[@]}"; do
    if grep -q -x -F "$name" <<<"$listed"; then echo "FAIL: \"$name\" became a name:"; echo "$listed"; exit 1; fi
  done
}

start_app
wine "$driver" show
wine "$driver" command 40018
wait_for_names 1
type_into "1:" "typed note text"
sleep 1
import -window root "$(artifact note_window.png)"
wine "$driver" command 0
wait_for_names 2
type_into "前略" "typed start text"
sleep 1
import -window root "$(artifact affix_window.png)"
wine "$driver" command 40018
wine "$driver" command 6
wait_for_names 4
type_into "2:" "typed second note"
type_into "早々" "typed end text"
expect_names "1:" "2:" "前略" "早々"
wine "$driver" command 111
sleep 1
import -window root "$(artifact version_dialog.png)"
end_app

# Outside the virtual desktop: a prefix of its own, with Wine drawing the window frames
# itself since Xvfb runs no window manager.
export WINEPREFIX="$plain_prefix"
DOVANE_NO_VIRTUAL_DESKTOP=1 prepare_wine_prefix
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
start_app
wine "$driver" command 40018
wine "$driver" command 6
wait_for_names 2
type_into "1:" "typed note text"
type_into "早々" "typed end text"
expect_names "1:" "早々"
for name in "1:" "早々"; do
  xdotool search --onlyvisible --name "^$name\$" >/dev/null || { echo "FAIL: no X window named $name"; exit 1; }
done
sleep 1
import -window root "$(artifact outside_desktop.png)"
end_app
echo "window names: ok; screenshots in $artifacts"
