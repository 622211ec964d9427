#!/usr/bin/env bash
# Seeds the faults of a list (default tools/seed_faults.list) one at a time into a scratch
# copy of the tree, rebuilds the native tests and runs the tests named for each fault,
# then tabulates which faults were caught, per file and overall. A filter written
# "win32:REGEX" names Win32 tests instead: the MinGW tree is built too and ctest runs
# them under Wine, one process a test. The working tree is never touched, so an
# interrupted run leaves no fault behind.
#   tools/seed_faults.sh [list]
set -uo pipefail
cd "$(dirname "$0")/.."
list=$(realpath "${1:-tools/seed_faults.list}")
jobs=2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/seed_faults.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM
mkdir -p "$scratch/src" "$scratch/tmp"
# The tree as it stands, uncommitted changes included.
git ls-files -z --cached --others --exclude-standard |
  tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$scratch/src"

echo "building the native tests in $scratch ..."
started=$SECONDS
cmake -S "$scratch/src" -B "$scratch/build" -DCMAKE_BUILD_TYPE=Debug >"$scratch/configure.log" 2>&1 &&
  cmake --build "$scratch/build" -j "$jobs" --target native_tests >"$scratch/build.log" 2>&1 || {
  cat "$scratch/configure.log" "$scratch/build.log" >&2
  echo "the unseeded tree does not build" >&2
  exit 1
}
echo "built in $((SECONDS - started)) s"

# The Win32 tests need their own tree, a display and a Wine prefix.
if grep -v '^#' "$list" | awk '{ print $2 }' | grep -q '^win32:'; then
  started=$SECONDS
  cmake -S "$scratch/src" -B "$scratch/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release >"$scratch/configure.log" 2>&1 &&
    cmake --build "$scratch/win32" -j "$jobs" --target win32_tests dovane_clip e2e_driver >"$scratch/build.log" 2>&1 || {
    cat "$scratch/configure.log" "$scratch/build.log" >&2
    echo "the unseeded Win32 tree does not build" >&2
    exit 1
  }
  echo "Win32 tests built in $((SECONDS - started)) s"
  # A prefix of its own, so the test command's runs and ours never share a Wine server.
  export DOVANE_BUILD="$scratch"
  . tools/wine_env.sh
  trap 'wineserver -k 2>/dev/null || true; stop_own_xvfb; rm -rf "$scratch"' EXIT
  unset DISPLAY
  start_own_xvfb || exit 1
  prepare_wine_prefix
  wineserver -p >/dev/null 2>&1
fi

# Builds what a filter needs and runs it; true when every test passed.
run_filter() {
  local filter=$1 limit=$2
  if [ "${filter#win32:}" != "$filter" ]; then
    cmake --build "$scratch/win32" -j "$jobs" --target win32_tests dovane_clip e2e_driver >"$scratch/build.log" 2>&1 || return 2
    (cd "$scratch/win32" && timeout "$limit" ctest -R "${filter#win32:}" >"$scratch/run.log" 2>&1)
  else
    cmake --build "$scratch/build" -j "$jobs" --target native_tests >"$scratch/build.log" 2>&1 || return 2
    (cd "$scratch/build" && TMPDIR="$scratch/tmp" timeout "$limit" ./native_tests --gtest_filter="$filter" \
      >"$scratch/run.log" 2>&1)
  fi
}

# Each filter must pass on the unseeded tree, or every fault under it would count as
# caught; how long it takes there bounds how long a seeded run may take.
declare -A time_limit
for filter in $(grep -v '^#' "$list" | awk 'NF >= 3 { print $2 }' | sort -u); do
  started=$SECONDS
  if ! run_filter "$filter" 3600; then
    cat "$scratch/run.log" >&2
    echo "the unseeded tree fails $filter" >&2
    exit 1
  fi
  time_limit[$filter]=$((10 + 5 * (SECONDS - started)))
done

run_started=$SECONDS
declare -A caught_in total_in
caught=0 total=0 stale=0 unbuilt=0
missed_lines=()

while read -r file filter expression; do
  case "$file" in '' | \#*) continue ;; esac
  source_file="$scratch/src/$file"
  started=$SECONDS
  cp "$source_file" "$scratch/saved"
  if ! sed -i -e "$expression" "$source_file" 2>/dev/null || cmp -s "$source_file" "$scratch/saved"; then
    verdict="no match"
    stale=$((stale + 1))
  else
    # A fault may make a test hang; that counts as caught, as any failure or sanitizer stop does.
    run_filter "$filter" "${time_limit[$filter]}"
    outcome=$?
    if [ "$outcome" -eq 2 ]; then
      verdict="no build"
      unbuilt=$((unbuilt + 1))
    elif [ "$outcome" -eq 0 ]; then
      verdict="MISSED"
      missed_lines+=("$file  $expression")
    else
      verdict="caught"
      caught=$((caught + 1))
      caught_in[$file]=$((${caught_in[$file]:-0} + 1))
    fi
    if [ "$outcome" -ne 2 ]; then
      total=$((total + 1))
      total_in[$file]=$((${total_in[$file]:-0} + 1))
    fi
  fi
  # Written anew rather than moved back, so the next build sees it changed and recompiles it.
  cat "$scratch/saved" >"$source_file"
  printf '%-8s %3ds  %-28s  %s\n' "$verdict" $((SECONDS - started)) "$file" "$expression"
done <"$list"

echo
printf '%-28s  %6s  %6s\n' "file" "caught" "missed"
for file in $(printf '%s\n' "${!total_in[@]}" | sort); do
  printf '%-28s  %6d  %6d\n' "$file" "${caught_in[$file]:-0}" $((total_in[$file] - ${caught_in[$file]:-0}))
done
if [ "$total" -gt 0 ]; then
  printf '%-28s  %d of %d (%d %%)\n' "overall" "$caught" "$total" $((100 * caught / total))
fi
echo "$(( (SECONDS - run_started) / 60 )) min $(( (SECONDS - run_started) % 60 )) s for $((total + stale + unbuilt)) faults"
[ "$stale" -eq 0 ] || echo "$stale expressions no longer match the code; update them in $list"
[ "$unbuilt" -eq 0 ] || echo "$unbuilt seeded trees did not build"
if [ "${#missed_lines[@]}" -gt 0 ]; then
  echo "missed:"
  printf '  %s\n' "${missed_lines[@]}"
fi
