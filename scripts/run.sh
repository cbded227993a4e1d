#!/bin/bash
# Builds the calendar and starts it under Wine. On $DISPLAY when one is set;
# otherwise on a private X server, where it waits for the window, saves a
# screenshot, prints its path and ends the program again.
# Usage: scripts/run.sh [program arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-run

"$root/scripts/install-deps.sh" --run
# Only what it runs: the program and its guide; no tests, no second compiler.
"$root/scripts/build-program.sh" "$build"

exe=$build/win/KivCalendar.exe
# The program's own prefix inside the build tree: ~/.wine is left alone.
export WINEPREFIX=$build/run-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe" "$@"
fi

state=$build/run-xvfb
mkdir -p "$state"
display=""
for n in $(seq 70 89); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 </dev/null &
xvfb=$!
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" >/dev/null 2>&1 || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

wine "$exe" "$@" >"$state/program.log" 2>&1 </dev/null &
window=""
for _ in $(seq 600); do
  window=$(xdotool search --onlyvisible --name '^Kiv Calendar$' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the calendar window did not appear" >&2; exit 1; }
sleep 2  # let it finish painting
shot=$build/screenshot.png
import -display "$display" -window "$window" "$shot"
echo "Screenshot: $shot"
