# Sourced by the benchmark scripts: the build's own Wine prefix, an Xvfb display of its
# own and a scratch folder ($work), all given back at exit. Usage: . bench_lib.sh BUILD_DIR
. "$(dirname "${BASH_SOURCE[0]}")/../tools/fixed_layout.sh"
build=$(cd "$1" && pwd)
export WINEPREFIX_OVERRIDE="$build/wineprefix"
. "$(dirname "${BASH_SOURCE[0]}")/../tools/wine_env.sh"
work=$(mktemp -d /tmp/dovane_bench_XXXXXX)
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_own_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
unset DISPLAY
start_own_xvfb
prepare_wine_prefix
