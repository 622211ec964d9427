#!/usr/bin/env bash
# A data folder on a small file system that fills up: a clip that does not fit leaves
# no torn record behind, the program says so (a screenshot of the notice is kept as
# build/.../artifacts/full_disk.png), and once there is room again the next clip is
# stored whole after the last good record.
. "$(dirname "$0")/e2e_lib.sh"
. "$(dirname "$0")/clipboard_lib.sh"
if ! mount -t tmpfs -o size=512k tmpfs "$work" 2>/dev/null; then
  echo "full_disk: skipped (mounting a small file system needs root)"; exit 0
fi
trap 'status=$?; end_copies; cleanup_mount "$status"' EXIT
cleanup_mount() {
  local status=${1:-$?}
  [ -z "$app_pid" ] || { (cd / && wine "$driver" close) || true; wait "$app_pid" 2>/dev/null || true; app_pid=""; }
  umount "$work" 2>/dev/null || umount -l "$work" 2>/dev/null || true
  cleanup "$status"
}
artifacts="$(dirname "$exe")/artifacts"
mkdir -p "$artifacts"
printf '[init]\r\nsave=history\r\n' >"$work/dovane_clip.ini"

wait_for_history() {
  for _ in $(seq 100); do cmp -s <(printf '%b' "$1") "$work/_clip.txt" && return 0; sleep 0.1; done
  echo "FAIL: _clip.txt"; od -c "$work/_clip.txt" | tail -5; exit 1
}

start_app
copy_text 'before the disk filled'
wait_for_history 'before the disk filled\a\r\n'
# Leave one page free: less than the next clip needs.
head -c 4096 /dev/zero >"$work/slack"
dd if=/dev/zero of="$work/filler" bs=4096 2>/dev/null || true
rm "$work/slack"
big=$(printf 'x%.0s' $(seq 12000))
copy_text "$big"
# The clip's capture time still fits: once the side file holds it, the capture has been
# made (the ring, which keeps whole clips, is as full as the history).
times() { grep -cs $'\ttime\t' "$work/_clip_original.txt" || true; }
for _ in $(seq 100); do [ "$(times)" -ge 2 ] && break; sleep 0.1; done
[ "$(times)" -ge 2 ] || { echo "FAIL: the clip was never captured"; exit 1; }
# The balloon over the tray icon, bottom right of the desktop, is mostly white.
shown=""
for _ in $(seq 20); do
  import -window root "$artifacts/full_disk.png"
  brightness=$(convert "$artifacts/full_disk.png" -crop 110x50+1155+712 -format '%[fx:mean]' info:)
  awk -v b="$brightness" 'BEGIN { exit !(b > 0.7) }' && { shown=1; break; }
  sleep 0.25
done
[ -n "$shown" ] || { echo "FAIL: no notice over the tray icon"; exit 1; }
expect_file _clip.txt 'before the disk filled\a\r\n'

rm "$work/filler"
copy_text 'after room was made'
wait_for_history 'before the disk filled\a\r\nafter room was made\a\r\n'
end_app
echo "full_disk: ok (notice: $artifacts/full_disk.png)"
