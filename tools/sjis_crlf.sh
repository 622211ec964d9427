#!/usr/bin/env bash
# Turns a UTF-8 text with LF line ends into Shift_JIS (code page 932) with CR LF, the form
# a Japanese Windows user's editor reads: sjis_crlf.sh SOURCE TARGET.
set -euo pipefail
iconv -f UTF-8 -t CP932 "$1" | sed 's/$/\r/' >"$2.tmp"
mv "$2.tmp" "$2"
