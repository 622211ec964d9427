#!/usr/bin/env bash
# Installs, with apt only, whatever the build and the tests need and is missing.
set -euo pipefail
packages=(cmake g++ make libgtest-dev googletest libbenchmark-dev clang libclang-rt-14-dev
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis
          wine wine64 fonts-wine xvfb xclip xdotool imagemagick x11-utils locales fonts-ipafont-gothic fonts-liberation
          openbox)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# Wine's ANSI code page follows the locale: ja_JP.UTF-8 gives code page 932, en_US.UTF-8
# the 1252 of an English Windows. Without the locale itself Wine names files in ASCII,
# and a file named in Japanese cannot be made.
for wanted in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$wanted\.utf-\?8$"; then
    sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen || echo "$wanted.UTF-8 UTF-8" >> /etc/locale.gen
    locale-gen >/dev/null
  fi
done
