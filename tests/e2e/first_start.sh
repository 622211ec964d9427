#!/usr/bin/env bash
# A first start in an empty folder says from the icon, once, that the program runs, where
# its menu is and where history saving is turned on; a second start, with the settings
# file there, says nothing. It names the find window and the shortcut key and how to reach
# them, and the readme opens with its lines. The balloon is kept as a screenshot
# (artifacts/first_start.png).
. "$(dirname "$0")/e2e_lib.sh"
balloon() { command wine "$driver" balloon "$1" 2>>"$wine_log" | iconv -f CP932 -t UTF-8; }

start_app
said=$(balloon 10) || {
  import -window root "$(artifact first_start_no_balloon.png)"
  echo "FAIL: no balloon at the first start (the screen: artifacts/first_start_no_balloon.png)"; exit 1
}
import -window root "$(artifact first_start.png)"
for part in "どばねクリップが動いています" "このアイコンの右クリック" "履歴保存" "メニュー→履歴保存する" \
  "検索窓" "右クリックの最後" "Ctrl+F" "メニュー→ショートカットキー..."; do
  grep -q -F "$part" <<<"$said" || { echo "FAIL: the balloon does not say $part:"; echo "$said"; exit 1; }
done
readme_head=$(head -n 12 "$(dirname "$exe")/readme.txt" | iconv -f CP932 -t UTF-8 | tr -d '\r')
while IFS= read -r line; do
  grep -q -F -- "$line" <<<"$readme_head" || { echo "FAIL: the readme's first lines lack the balloon's \"$line\""; exit 1; }
done < <(tr -d '\r' <<<"$said")
end_app
[ -f "$work/dovane_clip.ini" ] || { echo "FAIL: no settings file after the first start"; exit 1; }

start_app
if said=$(balloon 4); then echo "FAIL: a balloon at the second start: $said"; exit 1; fi
end_app
echo "first start: ok; screenshot: $(artifact first_start.png)"
