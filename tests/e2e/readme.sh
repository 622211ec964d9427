#!/usr/bin/env bash
# The readme.txt built beside the exe is Shift_JIS with CR LF line ends only and names every
# key of the settings file; put into the data folder, the "read&me" command (40013) opens it
# in the editor, which is kept as a screenshot (build/.../artifacts/readme.png).
. "$(dirname "$0")/e2e_lib.sh"
artifacts="$(dirname "$exe")/artifacts"
mkdir -p "$artifacts"
readme="$(dirname "$exe")/readme.txt"

text=$(iconv -f CP932 -t UTF-8 "$readme") || { echo "FAIL: readme.txt is not Shift_JIS"; exit 1; }
lf=$(tr -cd '\n' <"$readme" | wc -c)
cr=$(tr -cd '\r' <"$readme" | wc -c)
crlf=$(grep -c $'\r$' "$readme" || true)
[ "$lf" -gt 0 ] && [ "$cr" -eq "$lf" ] && [ "$crlf" -eq "$lf" ] && [ "$(tail -c 2 "$readme" | od -An -tx1 | tr -d ' ')" = 0d0a ] ||
  { echo "FAIL: readme.txt has line ends other than CR LF ($lf LF, $cr CR, $crlf CR LF)"; exit 1; }
for key in "back num=" "max=" "his max=" "tagsavelimit sec=" "mode=" "save=" "spname=" "tagA=" "tagB=" "tagC=" \
  "taglinkfile=" "[special]" dovane_clip.ini _clip.txt _clip_bak.txt _recycle.txt _recycle_index.txt \
  tmpclipsave.txt _special.txt taglink.txt _clip_original.txt 20479 "履歴保存する" "通知領域" "hotkey=" "paste=1" \
  "ショートカットキー..." "選んだら貼り付ける" "ignore=" "この記録を消す" "履歴をすべて消す"; do
  grep -q -F -- "$key" <<<"$text" || { echo "FAIL: readme.txt does not mention $key"; exit 1; }
done

cp "$readme" "$work/"
start_app
wine "$driver" command 40013
wine "$driver" find-class Notepad
sleep 2
import -window root "$artifacts/readme.png"
wine "$driver" close-class Notepad
end_app
echo "readme: ok; screenshot: $artifacts/readme.png"
