#!/bin/bash
# Screenshots of the calendar at a screen DPI, for checking the layout by eye:
# the main window, the Go menu, the options dialog and the tray icon (the
# last enlarged 8 times). Each DPI gets a fresh Wine prefix with LogPixels
# set, and the program runs in a Wine desktop with a taskbar on a private X
# server. Usage: scripts/dpi-screenshots.sh EXE OUTDIR [DPI...]
set -euo pipefail
exe=$(realpath "$1"); out=$(realpath -m "$2"); shift 2
dpis=("${@:-96 144 192}")
[ $# -gt 0 ] || dpis=(96 144 192)
mkdir -p "$out"
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

display=""
for n in $(seq 150 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb >/dev/null 2>&1 || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

wait_window() {  # a visible window whose name matches $1
  local w=""
  for _ in $(seq 200); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

for dpi in "${dpis[@]}"; do
  export WINEPREFIX=$out/.prefix-$dpi
  rm -rf "$WINEPREFIX"
  wine wineboot --init >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
  wine explorer /desktop=shots,1600x1200 "$exe" >/dev/null 2>&1 </dev/null &
  desktop=$(wait_window '^shots')
  main=$(wait_window '^Kiv Calendar$')
  sleep 2
  import -display "$display" -window "$main" "$out/main-$dpi.png"
  # The Go menu, opened from the keyboard.
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
  xdotool key --clearmodifiers alt+g; sleep 1
  import -display "$display" -window "$desktop" "$out/menu-full-$dpi.png"
  xdotool key Escape Escape; sleep 0.5
  # The tray icon: the desktop's taskbar runs along its bottom edge.
  import -display "$display" -window "$desktop" "$out/desktop-$dpi.png"
  # A box the main window opens from the keyboard, saved as NAME and closed.
  box_shot() {  # NAME TITLE KEY...
    local name=$1 title=$2 box; shift 2
    xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
    for key in "$@"; do xdotool key --clearmodifiers "$key"; sleep 0.3; done
    box=$(wait_window "^$title\$") || true
    sleep 1
    [ -n "$box" ] && import -display "$display" -window "$box" "$out/$name-$dpi.png"
    xdotool key Escape; sleep 0.5
  }
  box_shot options Options ctrl+o
  box_shot goto 'Go to year' ctrl+g
  box_shot about About alt+h a
  # One column, then back to four.
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
  xdotool key --clearmodifiers ctrl+1; sleep 1.5
  import -display "$display" -window "$main" "$out/one-column-$dpi.png"
  xdotool key --clearmodifiers ctrl+4; sleep 0.5
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
done
