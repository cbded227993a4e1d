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

# A fresh Wine session is still busy with its own start for the first
# seconds: three runs.
echo
echo "== Cost of putting a year on the calendar, and of rebuilding the tray's date icon"
echo "   against the least a 16x16 icon costs (in-process, three runs)"
for run in 1 2 3; do
  wine_session run "$build/win/bench_inprocess.exe" 2>&1 || status=$?
done

# Native, optimised and without the sanitizers (not under Wine).
if [ -x "$build/marked_days_bench" ]; then
  echo
  echo "== Reading and indexing a calendar file of 5,000 events (a quarter recurring), and the"
  echo "   day-state answer for twelve months (native)"
  "$build/marked_days_bench" || status=$?
fi
exit $status
