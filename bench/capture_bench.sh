#!/usr/bin/env bash
# Captures timed from outside, side by side in one run with a viewer that only appends
# the text (bare_viewer.exe): a Linux program copies 1 KB and 20 KB, timed until the
# record is on disk, each program alone with history saving on; then a Win32 program
# copies 300 texts 5 ms apart and the records kept are counted. DOVANE_BENCH_BEFORE may
# name an earlier build's dovane_clip.exe, timed in the same rounds.
# Usage: bench/capture_bench.sh MINGW_BUILD_DIR NATIVE_BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/bench_lib.sh" "$@"
native=$(cd "$2" && pwd)
rounds=${DOVANE_BENCH_ROUNDS:-15}
cp "$build/dovane_clip.exe" "$work/real.exe"
cp "$build/bare_viewer.exe" "$work/bare.exe"
programs=(real bare)
if [ -n "${DOVANE_BENCH_BEFORE:-}" ]; then cp "$DOVANE_BENCH_BEFORE" "$work/before.exe"; programs+=(before); fi
class_of() { [ "$1" = bare ] && echo dovane_bare_viewer || echo dovane_clip; }

program_pid=""
start_program() {  # folder program
  mkdir -p "$work/$1"
  printf '[init]\r\nsave=history\r\n' >"$work/$1/dovane_clip.ini"
  (cd "$work/$1" && exec wine "$work/$2.exe" >/dev/null 2>&1) &
  program_pid=$!
  sleep 3
}
stop_program() {  # program
  (cd "$work" && wine "$build/copy_storm.exe" close "$(class_of "$1")" >/dev/null 2>&1) || kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
}

declare -A median
for pass in 1 2; do
  for size in 1024 20000; do
    for program in "${programs[@]}"; do
      start_program "${program}_$size" "$program"
      median[${program}_$size]+="$("$native/capture_clock" "$work/${program}_$size/_clip.txt" "$size" "$rounds") "
      stop_program "$program"
    done
  done
done

# The storm: each program alone again, in a fresh folder.
declare -A kept
for program in "${programs[@]}"; do
  start_program "storm_$program" "$program"
  (cd "$work" && wine "$build/copy_storm.exe" 300 5 >/dev/null 2>&1)
  sleep 2
  stop_program "$program"
  kept[$program]=$(grep -a -o '^storm [0-9]*' "$work/storm_$program/_clip.txt" | sort -u | wc -l)
done

best() { tr ' ' '\n' | grep . | sort -n | head -1; }
before_head=""; before_rule=""
[ -n "${DOVANE_BENCH_BEFORE:-}" ] && before_head=" before |" && before_rule="---|"
echo "| operation | size | dovane_clip | bare viewer | ratio |$before_head"
echo "|---|---|---|---|---|$before_rule"
for size in 1024 20000; do
  r=$(echo "${median[real_$size]}" | best)
  b=$(echo "${median[bare_$size]}" | best)
  row="| capture, a Linux program copies, until the record is on disk | $size bytes | $r ms | $b ms | $(awk -v r="$r" -v b="$b" 'BEGIN { printf "%.2fx (target 1.2x)", r / b }') |"
  if [ -n "$before_head" ]; then
    o=$(echo "${median[before_$size]}" | best)
    row+=" $o ms, $(awk -v o="$o" -v b="$b" 'BEGIN { printf "%.2fx", o / b }') |"
  fi
  echo "$row"
done
row="| 300 Win32 copies 5 ms apart | records kept | ${kept[real]} | ${kept[bare]} | (target 285) |"
[ -n "$before_head" ] && row+=" ${kept[before]} |"
echo "$row"
