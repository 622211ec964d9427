#!/usr/bin/env bash
# Text copied in Linux reaches the program as Unicode: the characters Japanese input
# methods there produce are stored as their Shift_JIS bytes, an emoji as "?", and a
# history choice gives the text back to Linux exactly as it was copied, also where
# Shift_JIS holds a character under another code point (〜 read back would be ～).
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"

start_app
copy_text '〜—‖−①㈱髙😀'
wait_for_records 1
copy_text '〜 only'
wait_for_records 2
# 〜 — ‖ − as Shift_JIS has them, ① ㈱ from the NEC row, 髙 from the IBM rows, then "?".
expected='\x81\x60\x81\x5c\x81\x61\x81\x7c\x87\x40\x87\x8a\xfb\xfc?\a\r\n\x81\x60 only\a\r\n'
expect_file _clip.txt "$expected"
wine "$driver" command 1001
wait_for_clipboard '〜—‖−①㈱髙😀'
wine "$driver" command 1002
wait_for_clipboard '〜 only'
end_app
expect_file _clip.txt "$expected"
echo "unicode clip: ok"
