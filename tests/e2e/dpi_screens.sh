#!/usr/bin/env bash
# The program at 96, 120, 144 and 192 DPI, each in a copy of the prefix set to that DPI
# with a desktop as large as a screen made for it: the in-process layout checks run there
# (every window whole, the note's five lines, the find window's rows, every label and
# button of the dialogs), and the main window, a note, the find window and the drawer
# editor are each kept as a screenshot, artifacts/dpi_<DPI>_<window>.png (under another
# LANG, with its name in front). DOVANE_DPIS chooses fewer DPIs.
# Its own screen, large enough for the largest desktop.
unset DISPLAY
export DOVANE_XVFB_SCREEN=2560x1600x24
. "$(dirname "$0")/e2e_lib.sh"
tests_program="$(dirname "$exe")/win32_tests.exe"
# The suite runs them at 96 DPI.
checks=(dpi_layout.every_window_is_whole_at_the_desktop_dpi 'main_window_text_fit.*' 'all/dialog_text_fit.*')

printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"
printf 'りんごジュース\a\r\nみかんの皮を\r\nむく\a\r\n日本語のクリップ dovane\a\r\n' | iconv -f UTF-8 -t CP932 >"$work/_clip.txt"
note_text=$(printf '一行目\r\n二行目\r\n三行目\r\n四行目\r\n五行目\r\n六行目')

rect() { command wine "$driver" rect "$1" 2>>"$wine_log" | tr -d '\r'; }
# The window NAME, once drawn, cut out of the screen.
keep_window() {
  local name=$1 kind=$2 l t r b
  for _ in $(seq 50); do rect "$name" >/dev/null && break; sleep 0.1; done
  read -r l t r b <<<"$(rect "$name")" || { echo "FAIL: no window $name at $dpi DPI"; exit 1; }
  sleep 0.5
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$(artifact "dpi_${dpi}_$kind.png")"
}

for dpi in ${DOVANE_DPIS:-96 120 144 192}; do
  WINEPREFIX=$(prepare_dpi_prefix "$dpi")
  export WINEPREFIX
  if [ "$dpi" != 96 ]; then
    for check in "${checks[@]}"; do
      if ! (cd "$work" && command wine "$tests_program" --gtest_filter="$check" >"$work/checks.log" 2>&1); then
        echo "FAIL: $check at $dpi DPI"; cat "$work/checks.log"; exit 1
      fi
    done
  fi
  start_app
  wine "$driver" show
  keep_window . main
  wine "$driver" command 40018  # 落書
  wine "$driver" type 1: "$note_text"
  keep_window 1: note
  wine "$driver" command 40061  # 検索窓
  keep_window 検索窓 find
  wine "$driver" close-class dovane_find
  wine "$driver" command 40054  # the drawer editor
  keep_window ﾀﾞｲｱﾛｸﾞ drawer_editor
  wine "$driver" dialog ﾀﾞｲｱﾛｸﾞ click 2
  end_app
  # The copy's server, with its desktop, is ours and goes now.
  command wineserver -k
done
echo "DPI screens: ok; screenshots: $(artifact "dpi_*.png")"
