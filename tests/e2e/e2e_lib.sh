# Shared by the end-to-end scripts: runs the real exe under Wine in an empty folder.
# Usage from a script: . e2e_lib.sh EXE DRIVER
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/fixed_layout.sh"
set -Eeuo pipefail
# A script that stops at a failing command says which one, even before its clean-up is set.
trap 'echo "FAIL: \"$BASH_COMMAND\" exited with $? at ${BASH_SOURCE[0]##*/}:$LINENO${FUNCNAME:+ in $FUNCNAME, called at ${BASH_SOURCE[1]##*/}:${BASH_LINENO[0]}}" >&2' ERR
exe=$1
driver=$2
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine_env.sh"
start_own_xvfb
prepare_wine_prefix
work=$(mktemp -d /tmp/dovane_e2e_XXXXXX)
# Screenshots are kept beside the exe, named by the LANG they were taken under.
artifacts="$(dirname "$exe")/artifacts"
mkdir -p "$artifacts"
artifact() { if in_lang_prefix; then echo "$artifacts/${DOVANE_LANG%%.*}_$1"; else echo "$artifacts/$1"; fi; }
app_pid=""
# Wine's helper processes outlive the programs they serve; they must not hold the test
# runner's output pipe open, so everything Wine prints goes to a log shown on failure.
wine_log=$(mktemp /tmp/dovane_e2e_log_XXXXXX)
wine() { command wine "$@" >>"$wine_log" 2>&1; }
# The script's exit status comes as the argument when other clean-up ran first.
cleanup() {
  local status=${1:-$?}
  [ "$status" -eq 0 ] || { echo "wine output:"; cat "$wine_log"; }
  rm -f "$wine_log"
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    (cd "$work" && wine "$driver" close >/dev/null 2>&1) || true
    wait "$app_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
  if in_lang_prefix; then command wineserver -k 2>/dev/null || true; fi
  stop_own_xvfb
}
trap cleanup EXIT

start_app() {
  (cd "$work" && exec wine "$exe" >>"$wine_log" 2>&1) &
  app_pid=$!
  wine "$driver" wait
}

end_app() {
  wine "$driver" close
  wait "$app_pid"
  app_pid=""
}

expect_file() {
  local name=$1 expected=$2
  if ! cmp -s <(printf '%b' "$expected") "$work/$name"; then
    echo "FAIL: $name differs"; echo "expected:"; printf '%b' "$expected" | od -c | head -20
    echo "actual:"; od -c "$work/$name" | head -20
    exit 1
  fi
}

# Right-clicks our icon: the notification area is the right end of the virtual desktop's
# taskbar, the bottom 20 pixels of the screen, and ours is its one spot that is not white.
right_click_tray_icon() {
  local width height shot box
  read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
  shot=$(mktemp /tmp/dovane_tray_XXXXXX.png)
  import -window root "$shot"
  box=$(convert "$shot" -crop "200x20+$((width - 200))+$((height - 20))" +repage -fuzz 10% -format '%@' info:)
  rm -f "$shot"
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || { echo "FAIL: no tray icon found ($box)"; exit 1; }
  xdotool mousemove $((width - 200 + BASH_REMATCH[3] + BASH_REMATCH[1] / 2)) \
    $((height - 20 + BASH_REMATCH[4] + BASH_REMATCH[2] / 2)) click 3
}
