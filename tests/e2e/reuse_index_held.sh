#!/usr/bin/env bash
# Another program holds the re-use index through the start-up compaction, so the
# renumbered index cannot take its place: the re-uses made meanwhile are all in the index
# the next start puts there.
. "$(dirname "$0")/e2e_lib.sh"
for ((n = 1; n <= 521; n++)); do printf 'r%d\a\r\n' "$n"; done >"$work/_clip.txt"
printf '505\r\n12\r\n' >"$work/_recycle_index.txt"
(cd "$work" && wine "$driver" hold-file _recycle_index.txt release.marker) &
holder=$!
# A Wine server started for this run may take a while to start the holder.
for _ in $(seq 600); do [ -e "$work/_recycle_index.txt.held" ] && break; sleep 0.1; done
[ -e "$work/_recycle_index.txt.held" ] || { echo "FAIL: the holder never held the index"; exit 1; }
start_app
[ -e "$work/recycle_pending.txt" ] || { echo "FAIL: the swap went through while the index was held"; exit 1; }
wine "$driver" command 1009
wine "$driver" command 1015
for _ in $(seq 100); do grep -q '^15' "$work/recycle_pending.txt" && break; sleep 0.1; done
touch "$work/release.marker"
wait "$holder"
end_app
start_app
end_app
expect_file _recycle_index.txt '5\r\n9\r\n15\r\n'
[ ! -e "$work/recycle_pending.txt" ] || { echo "FAIL: recycle_pending.txt stayed"; exit 1; }
echo "reuse_index_held: ok"
