#!/usr/bin/env bash
# The per-user installer, as a user runs it, in a Wine prefix of its own (it changes the
# user's folders and registry): a silent install into the user's folders without asking for
# rights, the Start-menu shortcut and a sign-in starting the program in the data folder,
# the menu item turning the start at sign-in off and on, an upgrade over the running
# program that keeps the data folder, a silent uninstall that ends the program and leaves
# the history.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
tree=$(dirname "$exe")
packages=$(mktemp -d /tmp/dovane_setup_XXXXXX)
install_prefix="$DOVANE_BUILD/wineprefix_install"
trap 'status=$?; end_copies; [ "$WINEPREFIX" != "$install_prefix" ] || wineserver -k 2>/dev/null || true
  rm -rf "$packages"; cleanup "$status"' EXIT

(cd "$tree" && cpack --config CPackConfig.cmake -G NSIS -B "$packages" >/dev/null)
setup=$(ls "$packages"/dovane_clip-*-setup.exe)
version=$(basename "$setup" | sed 's/^dovane_clip-\(.*\)-setup\.exe$/\1/')

export WINEPREFIX=$install_prefix
prepare_wine_prefix
user=$(id -un)
home="$WINEPREFIX/drive_c/users/$user"
win_home="C:\\users\\$user"
program="$win_home\\AppData\\Local\\Programs\\dovane_clip\\dovane_clip.exe"
program_dir="$home/AppData/Local/Programs/dovane_clip"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\dovane_clip'
# What an earlier run left goes first. Documents is a folder of the prefix rather than a
# link to the Linux home, so the program's folder and the one the driver runs in match.
rm -rf "$program_dir" "$home/Documents" "$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/"[Ss]tart[Uu]p/*.lnk \
  "$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/"*.lnk
mkdir "$home/Documents"
wine reg delete "$uninstall_key" /f || true

driver_here() { (cd "$1" && command wine "$driver" "${@:2}" 2>>"$wine_log"); }
driver_says() { command wine "$driver" "$@" 2>>"$wine_log" | tr -d '\r'; }
shortcuts() { driver_says shortcuts "$1"; }
wait_until() {
  for _ in $(seq 150); do "${@:2}" && return 0; sleep 0.2; done
  echo "FAIL: $1"; exit 1
}
expect_shortcuts() {
  [ "$(shortcuts "$1")" = "$2" ] || { echo "FAIL: $1 shortcuts:"; shortcuts "$1"; echo "expected:"; echo "$2"; exit 1; }
}
running_in() { (cd "$1" && command wine "$driver" wait-here >/dev/null 2>&1); }
# The driver's search for the instance of a folder waits 30 seconds before it says none.
gone_from() { ! (cd "$1" && timeout 3 command wine "$driver" wait-here >/dev/null 2>&1); }
registry() { command wine reg query "$uninstall_key" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
no_entry() { ! command wine reg query "$uninstall_key" >/dev/null 2>&1; }
# The menu item "Windows 起動時に開始" of the program running in the data folder; the
# Startup folder then holds what is given.
toggle_sign_in() {
  driver_here "$data" command 40062
  wait_until "the menu item did not leave the Startup folder with \"$1\"" test "$(shortcuts startup)" = "$1"
}
# Every line after the first two is in the text.
expect_lines() {
  local what=$1 text=$2 line
  shift 2
  for line; do grep -q -F -- "$line" <<<"$text" || { echo "FAIL: $what lacks $line:"; echo "$text"; exit 1; }; done
}

# A silent install, with a data folder of the user's choice.
data="$home/Documents/クリップ 履歴"
win_data="$win_home\\Documents\\クリップ 履歴"
wine "$setup" /S "/DATA=$win_data"
cmp "$program_dir/dovane_clip.exe" "$exe" || { echo "FAIL: the installed exe is not the one built"; exit 1; }
cmp "$data/readme.txt" "$tree/readme.txt" || { echo "FAIL: no readme.txt in the data folder"; exit 1; }
grep -a -q 'level="asInvoker"' "$setup" || { echo "FAIL: the installer asks for more than the user's rights"; exit 1; }
expect_lines "the uninstall entry" "$(registry)" "DisplayName    REG_SZ    どばねクリップ" \
  "DisplayVersion    REG_SZ    $version" "Publisher    REG_SZ    dovane_clip" "DisplayIcon    REG_SZ    $program,0" \
  "UninstallString    REG_SZ    \"${program%dovane_clip.exe}uninstall.exe\"" "DataFolder    REG_SZ    $win_data" \
  "EstimatedSize    REG_DWORD    0x"
expect_lines "the installed exe's version" "$(driver_says version-info "$program")" "fixed $version." \
  "041104b0 ProductName どばねクリップ" "041104b0 ProductVersion $version" "041104b0 OriginalFilename dovane_clip.exe" \
  "000004b0 ProductName どばねクリップ" "000004b0 ProductVersion $version"
expect_lines "the installer's version" "$(driver_says version-info "$(winepath -w "$setup")")" \
  "041104b0 ProductName どばねクリップ" "041104b0 ProductVersion $version"
started_here=$(printf 'どばねクリップ.lnk\t%s\t%s' "$program" "$win_data")
expect_shortcuts programs "$started_here"
expect_shortcuts startup "$started_here"

# A sign-in (Wine's boot runs the Startup folder's shortcuts, as Windows does at sign-in)
# starts the program in the data folder: a copied clip lands there.
wine wineboot
wait_until "a sign-in did not start the program in the data folder" running_in "$data"
driver_here "$data" command 40046
wait_until "history saving never came on" grep -q 'save=history' "$data/dovane_clip.ini"
copy_text 'installed clip'
wait_until "the clip never reached the data folder's history" grep -q -a 'installed clip' "$data/_clip.txt"
# The menu item: off removes the installer's shortcut, on makes it again.
toggle_sign_in ""
toggle_sign_in "$started_here"
driver_here "$data" close
wait_until "the program did not end" gone_from "$data"

# The Start-menu shortcut starts it there too.
start_from_menu() {
  (cd / && wine start "$win_home\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\どばねクリップ.lnk")
  wait_until "the Start-menu shortcut did not start the program in the data folder" running_in "$data"
}
# The settings file, gone from under the running program, is written again by its own
# end ("終了"), as a crash would not write it.
ended_well() {
  wait_until "$1 left the program running" gone_from "$data"
  grep -q 'save=history' "$data/dovane_clip.ini" || { echo "FAIL: $1 ended the program without its own end"; exit 1; }
}
start_from_menu
# Left off before the upgrade, which keeps that choice.
toggle_sign_in ""

# An upgrade over the running program: it is ended, and the data folder, its history, its
# settings and the user's own readme stay as they were.
printf 'my notes\r\n' >>"$data/readme.txt"
before=$(cd "$data" && md5sum readme.txt _clip.txt)
rm "$data/dovane_clip.ini"
wine "$setup" /S
ended_well "the upgrade"
[ "$(cd "$data" && md5sum readme.txt _clip.txt)" = "$before" ] || { echo "FAIL: the upgrade changed the data folder"; exit 1; }
expect_shortcuts programs "$started_here"
expect_shortcuts startup ""

# A silent uninstall ends the running program, removes it and its shortcuts, and keeps
# the data folder.
start_from_menu
toggle_sign_in "$started_here"
rm "$data/dovane_clip.ini"
wine "$program_dir/uninstall.exe" /S
wait_until "the uninstaller left the program folder" test ! -e "$program_dir"
ended_well "the uninstaller"
expect_shortcuts programs ""
expect_shortcuts startup ""
wait_until "the uninstall entry stays" no_entry
grep -q -a 'installed clip' "$data/_clip.txt" || { echo "FAIL: the uninstaller lost the history"; exit 1; }

# With every choice left as offered, the data folder is Documents\dovane_clip.
wine "$setup" /S
expect_shortcuts startup "$(printf 'どばねクリップ.lnk\t%s\t%s' "$program" "$win_home\\Documents\\dovane_clip")"
[ -f "$home/Documents/dovane_clip/readme.txt" ] || { echo "FAIL: no readme.txt in Documents\\dovane_clip"; exit 1; }
wine "$program_dir/uninstall.exe" /S
wait_until "the uninstaller left the program folder" test ! -e "$program_dir"
wait_until "the uninstall entry stays" no_entry
echo "installer: ok ($(basename "$setup"))"
