#!/bin/bash
# Start-up benchmark: KivCalendar.exe against a minimal program showing the
# same twelve-month control, in a Wine session of its own; then the native
# marked-days benchmark.
#   scripts/bench.sh [RUNS]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
runs=${1:-7}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
cmake --build "$build" -j2 >/dev/null

session="$build/bench-wine"
wine_session() { "$root/scripts/wine-session.sh" "$session" "$@"; }
trap 'wine_session stop' EXIT INT TERM
wine_session start >/dev/null

echo "== Time until the window is shown, and peak memory (median of $runs starts each)"
status=0
wine_session run "$build/win/bench_startup.exe" -n "$runs" 2>&1 || status=$?

tests="$build/win/kiv_win_tests.exe"
# Runs a disabled in-process benchmark three times (a fresh Wine session is
# still busy with its own start for the first seconds) and prints its medians.
inprocess_bench() {
  local name=$1; shift
  local filter="*DISABLED_$name*"
  [ -f "$tests" ] || return 0
  wine_session run "$tests" --gtest_also_run_disabled_tests --gtest_list_tests \
    --gtest_filter="$filter" 2>/dev/null | grep -q "$name" || return 0
  echo
  printf '%s\n' "$@"
  for run in 1 2 3; do
    wine_session run "$tests" --gtest_also_run_disabled_tests --gtest_filter="$filter" | grep -i median || true
  done
}
inprocess_bench ShowYearCost "== Cost of putting a year on the calendar (in-process, three runs)"
inprocess_bench DateIconCost "== Cost of rebuilding the tray's date icon against the least a 16x16 icon costs:" \
  "   two bitmaps, CreateIconIndirect and their release (in-process, three runs)"

# Native, optimised and without the sanitizers (not under Wine).
if [ -x "$build/marked_days_bench" ]; then
  echo
  echo "== Reading and indexing a calendar file of 5,000 events (a quarter recurring), and the"
  echo "   day-state answer for twelve months (native)"
  "$build/marked_days_bench" || status=$?
fi
exit $status
