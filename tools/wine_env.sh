# Sourced by the run and test scripts: a private Wine prefix under the build folder,
# code page 932, and an Xvfb display that we start and stop ourselves by process id.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${DOVANE_BUILD:=$repo_root/build}"
export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$DOVANE_BUILD/wineprefix}"
export WINEDEBUG=-all
# Wine's ANSI code page follows LANG: ja_JP.UTF-8 gives 932. DOVANE_LANG=en_US.UTF-8 runs
# under the 1252 of an English Windows instead, in a copy of the prefix of its own.
: "${DOVANE_LANG:=ja_JP.UTF-8}"
export LANG=$DOVANE_LANG LC_ALL=$DOVANE_LANG
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

own_xvfb_pid=""

# Starts Xvfb on the first free display number unless a display is already usable. Two
# runs starting at once may pick the same number. The server that loses the display's
# lock file keeps waiting for it for seconds while the other one already answers, so a
# display is ours only once its lock file names our server; otherwise we try the next.
start_own_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=90 _ owner
  while [ "$n" -lt 190 ]; do
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${DOVANE_XVFB_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
    own_xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      kill -0 "$own_xvfb_pid" 2>/dev/null || break
      owner=$({ tr -d ' \n' <"/tmp/.X$n-lock"; } 2>/dev/null || true)
      [ -z "$owner" ] || [ "$owner" = "$own_xvfb_pid" ] || break
      [ "$owner" = "$own_xvfb_pid" ] && xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    stop_own_xvfb
    n=$((n + 1))
  done
  echo "Xvfb did not start" >&2; return 1
}

stop_own_xvfb() {
  if [ -n "$own_xvfb_pid" ]; then kill "$own_xvfb_pid" 2>/dev/null || true; wait "$own_xvfb_pid" 2>/dev/null || true; own_xvfb_pid=""; fi
}

# First start of a prefix takes a while; do it once per build folder, under a lock. The
# marker's number goes up whenever the set-up changes, so older prefixes are set up again.
prepare_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    # The prefix is made under the Japanese locale whatever runs in it later.
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    if [ ! -f "$WINEPREFIX/.dovane_ready_2" ]; then
      wineboot -i >/dev/null 2>&1 || true
      local face
      for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "MS UI Gothic" "ＭＳ ゴシック" "arial" "Arial"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f >/dev/null 2>&1
      done
      # The dialogs were laid out for a font whose Latin letters and digits are narrow
      # beside its capitals; IPAPGothic's are wide and cut "dovane_clip" or "index". Liberation
      # Serif has the right proportions, and takes its Japanese from IPAPGothic.
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "ＭＳ Ｐゴシック" /d "Liberation Serif" /f >/dev/null 2>&1
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "Liberation Serif" \
        /t REG_MULTI_SZ /d "ipagp.ttf,IPAPGothic" /f >/dev/null 2>&1
      # Caption buttons are drawn with Marlett; without it they show the letters "0 1 r".
      mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
      cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v "Marlett (TrueType)" \
        /d marlett.ttf /f >/dev/null 2>&1
      # A virtual desktop gives Wine its own taskbar and notification area; without one,
      # every tray-icon call waits seconds for a tray that is not there. A new prefix made
      # with DOVANE_NO_VIRTUAL_DESKTOP set has none: each window is an X window of its own,
      # as on a Linux desktop with a window manager and a tray.
      if [ -z "${DOVANE_NO_VIRTUAL_DESKTOP:-}" ]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f >/dev/null 2>&1
      fi
      wineserver -w
      # The first program run in a new prefix still finishes the prefix's set-up and can
      # lose its output; let a throwaway run take that.
      wine cmd.exe /c exit >/dev/null 2>&1 || true
      wineserver -w
      touch "$WINEPREFIX/.dovane_ready_2"
    fi
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
  if [ "$DOVANE_LANG" != ja_JP.UTF-8 ]; then
    WINEPREFIX=$(prepare_lang_prefix "$DOVANE_LANG")
    export WINEPREFIX
  fi
}

# A copy of the prefix for another LANG: a Wine server serves one locale, and the shared
# prefix's server runs under the Japanese one. Its server is the caller's to stop.
prepare_lang_prefix() {
  local copy="$DOVANE_BUILD/wineprefix_${1%%.*}"
  (
    flock 9
    if [ ! -f "$copy/.dovane_lang_ready" ] || [ "$WINEPREFIX/.dovane_ready_2" -nt "$copy/.dovane_lang_ready" ]; then
      rm -rf "$copy"
      cp -a "$WINEPREFIX" "$copy"
      rm -f "$copy/.dovane_ready_2"
      touch "$copy/.dovane_lang_ready"
    fi
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
  echo "$copy"
}

# True while the prefix is a LANG copy, whose server nobody else stops.
in_lang_prefix() { [ "$DOVANE_LANG" != ja_JP.UTF-8 ]; }

# A copy of the prefix whose desktop runs at the given DPI (LogPixels), its virtual desktop
# as large as a screen made for that DPI (1280x800 at 96), made once per build folder and
# again when the prefix is set up anew; prints its path. Its Wine server is the caller's to
# stop (wineserver -k with that WINEPREFIX).
prepare_dpi_prefix() {
  local dpi=$1 copy="$DOVANE_BUILD/wineprefix_dpi$1" made="$WINEPREFIX/.dovane_ready_2"
  # Under another LANG the copy is made from that LANG's own.
  if in_lang_prefix; then copy="${copy}_${DOVANE_LANG%%.*}" made="$WINEPREFIX/.dovane_lang_ready"; fi
  local desktop="$((1280 * dpi / 96))x$((800 * dpi / 96))"
  (
    flock 9
    if [ ! -f "$copy/.dovane_dpi_ready" ] || [ "$made" -nt "$copy/.dovane_dpi_ready" ]; then
      rm -rf "$copy"
      cp -a "$WINEPREFIX" "$copy"
      rm -f "$copy/.dovane_ready_2" "$copy/.dovane_lang_ready"
      WINEPREFIX=$copy wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
      # Without a virtual desktop (DOVANE_NO_VIRTUAL_DESKTOP) no desktop takes this size.
      WINEPREFIX=$copy wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1
      # The registry reaches the copy's files when its server ends.
      WINEPREFIX=$copy wineserver -w
      touch "$copy/.dovane_dpi_ready"
    fi
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
  echo "$copy"
}
