#!/bin/bash
# Installs the Debian packages the build, the program under Wine and the
# tests need; only what is missing, so a second run is quick.
# Usage: install-deps.sh [--run]   (--run: only what building and running the program needs)
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libgtest-dev googletest
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 fonts-wine
  xvfb x11-utils xdotool imagemagick
  procps
)
if [ "${1:-}" != --run ]; then
  packages+=(
    clang lld libclang-rt-dev
    faketime
    nsis zip unzip python3-yaml
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
