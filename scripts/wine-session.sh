#!/bin/bash
# A hermetic Wine session for the tests: a throw-away prefix and a private
# X server, both kept under STATE (inside the build tree).
#   wine-session.sh STATE start [HELPER] fresh prefix, Xvfb, wineserver, and
#                                        the test printers (HELPER defaults to
#                                        STATE/../win/kiv_test_helper.exe)
#   wine-session.sh STATE run EXE ARGS   run a Windows program in it
#   wine-session.sh STATE run-at TIME EXE ARGS
#                                        run it with the clock set to TIME
#   wine-session.sh STATE stop           kill every Wine process and the X server
set -u
state=$(realpath -m "$1"); action=$2; shift 2

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko installer prompts, and no browser engine to fetch.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

find_free_display() {
  local n
  for n in $(seq 90 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"; return 0
    fi
  done
  return 1
}

stop_session() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" >/dev/null 2>&1 || true
    rm -f "$state/xvfb.pid"
  fi
}

case "$action" in
start)
  stop_session
  rm -rf "$state"
  mkdir -p "$state"
  display=$(find_free_display) || { echo "no free X display" >&2; exit 1; }
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 </dev/null &
  echo $! >"$state/xvfb.pid"
  echo ":$display" >"$state/display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  export DISPLAY=":$display"
  wine wineboot --init >"$state/wineboot.log" 2>&1
  wineserver -w >/dev/null 2>&1 </dev/null
  # The prefix is complete: a clock set back or forward must not make Wine
  # rebuild it.
  echo disable >"$WINEPREFIX/.update-timestamp"
  # Keep one server alive for the whole run so each test starts quickly.
  wineserver -p >/dev/null 2>&1 </dev/null
  # Printers that write their jobs as PostScript files under STATE/printer.
  helper=${1:-$(dirname "$state")/win/kiv_test_helper.exe}
  if [ -f "$helper" ]; then
    mkdir -p "$state/printer"
    wine "$helper" add-printers "$state/printer" >"$state/printers.log" 2>&1 </dev/null \
      || { echo "could not install the test printers:" >&2; cat "$state/printers.log" >&2; exit 1; }
  fi
  echo "Wine prefix $WINEPREFIX on display $DISPLAY"
  ;;
run|run-at)
  [ -f "$state/display" ] || { echo "wine session not started" >&2; exit 1; }
  export DISPLAY=$(cat "$state/display")
  launcher=()
  if [ "$action" = run-at ]; then
    # Every process of the session reads the moved clock, the wineserver
    # too: it is restarted under it, and under the real one afterwards.
    offset=$(( $(date -d "$1" +%s) - $(date +%s) )); shift
    launcher=(faketime -m --exclude-monotonic -f "+${offset}s")
    wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
  fi
  # Wine's own helper processes (services, explorer) outlive the program and
  # would hold on to the caller's pipes, so the output goes through files.
  out=$(mktemp "$state/run.XXXXXX")
  timeout --kill-after=10 "${KIV_WINE_TIMEOUT:-540}" "${launcher[@]}" wine "$@" >"$out.out" 2>"$out.err" </dev/null
  rc=$?
  cat "$out.out"; cat "$out.err" >&2
  rm -f "$out" "$out.out" "$out.err"
  if [ "$action" = run-at ]; then
    wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
    wineserver -p >/dev/null 2>&1 </dev/null
  fi
  exit $rc
  ;;
stop)
  stop_session
  ;;
*)
  echo "usage: $0 STATE start|run|run-at|stop" >&2; exit 2 ;;
esac
