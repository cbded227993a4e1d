#!/bin/bash
# Builds only the program and its guide: the artwork generator for this
# machine, then KivCalendar.exe (Release, MinGW-w64 GCC) with Help.html
# beside it in BUILD_DIR/win. No tests, no second compiler.
# Usage: scripts/build-program.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "$1")
jobs=${KIV_JOBS:-$(nproc)}

# The generator runs once at build time: no sanitizers, no cross tree.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKIV_CROSS=OFF -DKIV_SANITIZE=OFF >/dev/null
cmake --build "$build" --target artgen -j"$jobs"
cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DKIV_ARTGEN="$build/artgen" >/dev/null
cmake --build "$build/win" --target KivCalendar -j"$jobs"
