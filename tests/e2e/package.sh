#!/usr/bin/env bash
# The zip a Windows user downloads holds the exe and readme.txt at its top level and
# nothing else; the installer beside it carries the same version in its name. Built here
# by CPack into a folder of its own from the same install rules as
# `cmake --build build/win32 --target package`.
set -euo pipefail
tree=$(cd "$(dirname "$1")" && pwd)
out=$(mktemp -d /tmp/dovane_package_XXXXXX)
trap 'rm -rf "$out"' EXIT
(cd "$tree" && cpack --config CPackConfig.cmake -B "$out" >/dev/null)
zip_file=$(ls "$out"/dovane_clip-*-win64.zip)
[[ "$(basename "$zip_file")" =~ ^dovane_clip-([0-9]+\.[0-9]+)-win64\.zip$ ]] || { echo "FAIL: named $zip_file"; exit 1; }
[ -f "$out/dovane_clip-${BASH_REMATCH[1]}-setup.exe" ] || { echo "FAIL: no installer of the zip's version:"; ls "$out"; exit 1; }
listing=$(cd "$out" && cmake -E tar tf "$zip_file" | sort)
[ "$listing" = $'dovane_clip.exe\nreadme.txt' ] || { echo "FAIL: the zip holds:"; echo "$listing"; exit 1; }
mkdir "$out/unpacked"
(cd "$out/unpacked" && cmake -E tar xf "$zip_file")
cmp -s "$out/unpacked/dovane_clip.exe" "$1" || { echo "FAIL: the zipped exe is not the one built"; exit 1; }
cmp -s "$out/unpacked/readme.txt" "$tree/readme.txt" || { echo "FAIL: the zipped readme is not the one built"; exit 1; }
echo "package: ok ($(basename "$zip_file"))"
