#!/bin/bash
# Builds everything and runs every test: the portable library natively under
# the sanitizers, the Win32 layer in-process under Wine, and the program end
# to end. Usage: scripts/test.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
# Two at a time: the clang build's Wine session runs beside the first.
ctest --output-on-failure -j2
