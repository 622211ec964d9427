# Sourced first by every script that starts Wine, before it changes folder: runs the script
# again with address randomisation off. Wine keeps the page at 0x7ffe0000 for every Windows
# program, but Debian's Wine has no preloader to reserve it before the Linux loader runs.
# The loader's heap, placed at random in the gigabyte above 0x7d000000, then covers that
# page about once in 7,700 starts, and Wine exits 1 before the program runs (silently,
# under WINEDEBUG=-all). Without randomisation the heap starts right after the loader, far
# below. Where the system refuses (a container's seccomp rules may), nothing changes.
if (( (0x$(cat /proc/self/personality 2>/dev/null || echo 0) & 0x0040000) == 0 )) &&
  setarch "$(uname -m)" -R true 2>/dev/null; then
  exec setarch "$(uname -m)" -R bash "$0" "$@"
fi
