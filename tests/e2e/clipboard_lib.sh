# Shared by the end-to-end scripts that copy from Linux: sourced after e2e_lib.sh.
# xclip serves the selection until another program takes it; ours stay in the
# foreground so they can be ended by process id, and keep no pipe of ctest's open.
xclip_pids=()
copy_text() {
  printf '%s' "$1" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
  xclip_pids+=($!)
}
end_copies() {
  local pid
  for pid in "${xclip_pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  xclip_pids=()
}
trap 'status=$?; end_copies; cleanup "$status"' EXIT
# What an earlier run left on the clipboard would be captured at start-up.
copy_text ''
# Waits until the clipboard, read from Linux, holds text.
wait_for_clipboard() {
  local expected=$1
  for _ in $(seq 50); do
    [ "$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)" = "$expected" ] && return 0
    sleep 0.2
  done
  echo "FAIL: the clipboard never held: $expected"; exit 1
}
# Records (stop bytes) in a file of the data folder (the history by default); 0 while the
# file is missing.
records() {
  local count
  count=$(grep -c $'\a' "$work/${1:-_clip.txt}" 2>/dev/null) || count=0
  echo "${count:-0}"
}
# Waits until a file of the data folder (the history by default) holds count records.
wait_for_records() {
  local count=$1 file=${2:-_clip.txt}
  for _ in $(seq 100); do
    [ "$(records "$file")" -ge "$count" ] && return 0
    sleep 0.1
  done
  echo "FAIL: $file never held $count records"; od -c "$work/$file" | head; exit 1
}
