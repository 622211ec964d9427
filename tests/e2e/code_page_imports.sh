#!/usr/bin/env bash
# Text reaches the system only through the wide functions, so the ANSI code page (932,
# 1252, or 65001 where Windows is set to UTF-8, which Wine cannot be) never touches it:
# of the program's imports that end in A, only those that carry no text may remain.
set -euo pipefail
exe=$1
# The C runtime's own, resources and cursors by number, system libraries and clipboard
# formats by their ASCII names.
allowed=(CreateEventA CreateSemaphoreA GetStartupInfoA OutputDebugStringA FindResourceA LoadCursorA
         GetModuleHandleA LoadLibraryExA RegisterClipboardFormatA)
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ { in_table = 1 } in_table && NF >= 3 && $1 ~ /^[0-9a-f]+$/ { print $NF }')
[ -n "$imports" ] || { echo "FAIL: no imports read from $exe"; exit 1; }
status=0
for name in $(grep -E '^[A-Za-z]+A$' <<<"$imports" | sort -u); do
  [[ " ${allowed[*]} " == *" $name "* ]] || { echo "FAIL: $name passes text through the ANSI code page"; status=1; }
done
grep -qx CreateWindowExW <<<"$imports" || { echo "FAIL: no CreateWindowExW among the imports"; status=1; }
[ "$status" -eq 0 ] && echo "code page imports: only wide text functions"
exit $status
