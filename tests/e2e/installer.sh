#!/usr/bin/env bash
# The per-user installer, as a user runs it, in a Wine prefix of its own (it changes the
# user's folders and registry): a silent install into the user's folders without asking for
# rights, the Start-menu shortcut and a sign-in starting the program in the data folder,
# the menu item turning the start at sign-in off and on, an upgrade over the running
# program that keeps the data folder, a silent uninstall that ends the program and leaves
# the history, and the pages of an install by hand, kept as screenshots
# (artifacts/installer_*.png).
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
tree=$(dirname "$exe")
artifacts="$tree/artifacts"
mkdir -p "$artifacts"
packages=$(mktemp -d /tmp/dovane_setup_XXXXXX)
install_prefix="$DOVANE_BUILD/wineprefix_install"
stop_install_wine() { if [ "$WINEPREFIX" = "$install_prefix" ]; then wineserver -k 2>/dev/null || true; fi; }
trap 'status=$?; end_copies; stop_install_wine; rm -rf "$packages"; cleanup "$status"' EXIT

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

driver_here() { (cd "$1" && command wine "$driver" "${@:2}" 2>>"$wine_log" | tr -d '\r'); }
shortcuts() { command wine "$driver" shortcuts "$1" 2>>"$wine_log" | tr -d '\r'; }
installer_texts() { command wine "$driver" texts '#32770' 2>>"$wine_log" | tr -d '\r'; }
wait_until() {
  local what=$1
  shift
  for _ in $(seq 150); do "$@" && return 0; sleep 0.2; done
  echo "FAIL: $what"; exit 1
}
expect_shortcuts() {
  local folder=$1 expected=$2 listed
  listed=$(shortcuts "$folder")
  [ "$listed" = "$expected" ] || { echo "FAIL: $folder shortcuts:"; echo "$listed"; echo "expected:"; echo "$expected"; exit 1; }
}
running_in() { (cd "$1" && command wine "$driver" wait-here >/dev/null 2>&1); }
# The driver's search for the instance of a folder waits 30 seconds before it says none.
gone_from() { ! (cd "$1" && timeout 3 command wine "$driver" wait-here >/dev/null 2>&1); }
registry() { command wine reg query "$uninstall_key" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
has_entry() { command wine reg query "$1" >/dev/null 2>&1; }
no_entry() { ! has_entry "$uninstall_key"; }

# A silent install, with a data folder of the user's choice.
data_name="クリップ 履歴"
data="$home/Documents/$data_name"
win_data="$win_home\\Documents\\$data_name"
wine "$setup" /S "/DATA=$win_data"
cmp "$program_dir/dovane_clip.exe" "$exe" || { echo "FAIL: the installed exe is not the one built"; exit 1; }
cmp "$data/readme.txt" "$tree/readme.txt" || { echo "FAIL: no readme.txt in the data folder"; exit 1; }
[ -f "$program_dir/uninstall.exe" ] || { echo "FAIL: no uninstaller"; exit 1; }
grep -a -q 'level="asInvoker"' "$setup" || { echo "FAIL: the installer asks for more than the user's rights"; exit 1; }
if ls "$WINEPREFIX/drive_c/Program Files"*/ | grep -q -i dovane; then echo "FAIL: files under Program Files"; exit 1; fi
if has_entry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\dovane_clip'; then
  echo "FAIL: a machine-wide uninstall entry"; exit 1
fi
listed=$(registry)
for entry in "DisplayName    REG_SZ    どばねクリップ" "DisplayVersion    REG_SZ    $version" "Publisher    REG_SZ    dovane_clip" \
  "DisplayIcon    REG_SZ    $program,0" "UninstallString    REG_SZ    \"${program%dovane_clip.exe}uninstall.exe\"" \
  "DataFolder    REG_SZ    $win_data"; do
  grep -q -F "$entry" <<<"$listed" || { echo "FAIL: the uninstall entry lacks $entry:"; echo "$listed"; exit 1; }
done
grep -q -E 'EstimatedSize    REG_DWORD    0x[0-9a-f]{3,}' <<<"$listed" || { echo "FAIL: no size:"; echo "$listed"; exit 1; }
started_here=$(printf 'どばねクリップ.lnk\t%s\t%s' "$program" "$win_data")
expect_shortcuts programs "$started_here"
expect_shortcuts startup "$started_here"
for file in "$(winepath -w "$setup")" "$program"; do
  info=$(command wine "$driver" version-info "$file" 2>>"$wine_log" | tr -d '\r')
  for line in "041104b0 ProductName どばねクリップ" "041104b0 ProductVersion $version"; do
    grep -q -x -F "$line" <<<"$info" || { echo "FAIL: the version of $file lacks $line:"; echo "$info"; exit 1; }
  done
done

# A sign-in (Wine's boot runs the Startup folder's shortcuts, as Windows does at sign-in)
# starts the program in the data folder: a copied clip lands there.
wine wineboot
wait_until "a sign-in did not start the program in the data folder" running_in "$data"
driver_here "$data" command 40046
wait_until "history saving never came on" grep -q 'save=history' "$data/dovane_clip.ini"
copy_text 'installed clip'
wait_until "the clip never reached the data folder's history" grep -q -a 'installed clip' "$data/_clip.txt"
# The menu item: off removes the installer's shortcut, on makes it again.
driver_here "$data" command 40062
wait_until "the menu item left the Startup shortcut" test -z "$(shortcuts startup)"
driver_here "$data" command 40062
wait_until "the menu item made no Startup shortcut" test -n "$(shortcuts startup)"
expect_shortcuts startup "$started_here"
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
driver_here "$data" command 40062
wait_until "the menu item left the Startup shortcut" test -z "$(shortcuts startup)"

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
driver_here "$data" command 40062
wait_until "the menu item made no Startup shortcut" test -n "$(shortcuts startup)"
rm "$data/dovane_clip.ini"
wine "$program_dir/uninstall.exe" /S
wait_until "the uninstaller left the program folder" test ! -e "$program_dir"
ended_well "the uninstaller"
expect_shortcuts programs ""
expect_shortcuts startup ""
wait_until "the uninstall entry stays" no_entry
grep -q -a 'installed clip' "$data/_clip.txt" || { echo "FAIL: the uninstaller lost the history"; exit 1; }
grep -q 'my notes' "$data/readme.txt" || { echo "FAIL: the uninstaller lost the readme"; exit 1; }

# By hand, with every choice left as offered: the data folder is Documents\dovane_clip and
# the finish page starts the program there.
page() {
  local text=$1 shot=$2
  for _ in $(seq 100); do
    if installer_texts | grep -q -F "$text"; then
      sleep 0.3
      import -window root "$artifacts/$shot"
      return 0
    fi
    sleep 0.2
  done
  echo "FAIL: the installer never showed $text; it shows:"; installer_texts; exit 1
}
(cd / && exec wine "$setup" >>"$wine_log" 2>&1) &
setup_pid=$!
page "セットアップへようこそ" installer_welcome.png
xdotool key Return
page "データフォルダの選択" installer_data_folder.png
installer_texts | grep -q -x -F "$win_home\\Documents\\dovane_clip" ||
  { echo "FAIL: the data folder offered is not Documents\\dovane_clip"; exit 1; }
xdotool key Return
page "「Windows 起動時に開始」" installer_options.png
xdotool key Return
page "セットアップの完了" installer_finish.png
xdotool key Return
wait "$setup_pid"
wait_until "the finish page did not start the program in the data folder" running_in "$home/Documents/dovane_clip"
expect_shortcuts startup "$(printf 'どばねクリップ.lnk\t%s\t%s' "$program" "$win_home\\Documents\\dovane_clip")"
wine "$program_dir/uninstall.exe" /S
wait_until "the uninstaller left the program folder" test ! -e "$program_dir"
wait_until "the uninstall entry stays" no_entry
echo "installer: ok ($(basename "$setup")); screenshots: $artifacts/installer_*.png"
