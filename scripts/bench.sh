#!/bin/bash
# Start-up benchmark: KivCalendar.exe against a minimal program showing the
# same twelve-month control, plain ("floor") and with one tray icon ("tray
# floor"), in Wine sessions of their own; then the in-process costs and the
# native marked-days benchmark.
#   scripts/bench.sh [RUNS]
# KIV_BENCH_BUILD names the build tree (default: build, configured as Release);
# KIV_BENCH_BIN a folder of programs built before (then nothing is built), to
# compare two builds.
#
# Two figures are taken from launch to exit:
#  - the Wine server's requests, counted by process from a wineserver run
#    with -d1 in a prefix of its own: the steady figure;
#  - the times (shown, painted, shown again from the tray) and peak memory,
#    which swing by +-30 % on a busy machine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${KIV_BENCH_BUILD:-$root/build}")
runs=${1:-7}
request_runs=5  # of each kind: started only, and started and shown from the tray
shows=3         # tray shows in a start that is shown

if [ -n "${KIV_BENCH_BIN:-}" ]; then
  win=$(realpath "$KIV_BENCH_BIN")
else
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  if [ -d "$build/win" ]; then
    cmake --build "$build/win" --target KivCalendar minimal_calendar bench_startup bench_inprocess -j2 >/dev/null
  else
    cmake --build "$build" -j2 >/dev/null
  fi
  win="$build/win"
  [ -d "$win" ] || win="$build"
fi

session="$build/bench-wine"
requests="$build/bench-requests"
wine_session() { "$root/scripts/wine-session.sh" "$session" "$@"; }
cleanup() {
  "$root/scripts/wine-session.sh" "$requests" stop >/dev/null 2>&1 || true
  wine_session stop
}
trap cleanup EXIT INT TERM
status=0

# --- Requests -----------------------------------------------------------
# A session of its own whose server logs every request (-d1). The driver
# names the process of each start; requests are counted by the thread that
# made them, and threads are given to processes as the log creates them.
"$root/scripts/wine-session.sh" "$requests" start >/dev/null
(
  export WINEPREFIX="$requests/prefix" WINEDEBUG=-all WINEARCH=win64
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -f -d1 -p 2>"$requests/server.log" </dev/null >/dev/null &
  # Ready once it has written its greeting to the log.
  for _ in $(seq 100); do grep -q starting "$requests/server.log" 2>/dev/null && break; sleep 0.1; done
)
"$root/scripts/wine-session.sh" "$requests" run "$win/bench_startup.exe" -pids -n "$((2 * request_runs))" \
  -shows "$shows" >"$requests/starts.txt" || status=$?
"$root/scripts/wine-session.sh" "$requests" stop >/dev/null

echo "== Wine server requests from launch to exit (median of $request_runs starts each)"
awk -v shows="$shows" '
  # Starts: "start PID LABEL SHOWS" (the first start of each program warms up).
  FNR == NR {
    sub(/\r$/, "")
    if ($1 == "start") {
      pid = $2; label[pid] = $3; nshows[pid] = $4 + 0
      if (seen[$3]++) counted[pid] = 1
    }
    next
  }
  !/^[0-9a-f][0-9a-f][0-9a-f][0-9a-f]: [a-z_0-9]+\(/ { next }
  {
    tid = substr($0, 1, 4)
    rest = substr($0, 7)
    paren = index(rest, "(")
    name = substr(rest, 1, paren - 1)
    reply = substr(rest, paren, 5) == "() = "
    if (!reply) {
      ++line
      p = owner[tid]
      if (p != "") {
        ++count[p]
        if (first[p] == "") first[p] = line
        last[p] = line
      }
      if (p == shell) shellAt[line] = 1
      if (name == "new_thread") {
        match(rest, /process=[0-9a-f]+/)
        h = substr(rest, RSTART + 8, RLENGTH - 8)
        pendingThread[tid] = h == "ffffffff" ? p : child[p, h]
      } else if (name == "new_process") {
        pendingShell[tid] = (rest ~ /imagepath=L"[^"]*explorer\.exe"/)
      }
      next
    }
    if (name == "init_first_thread") {
      match(rest, /pid=[0-9a-f]+/)
      owner[tid] = substr(rest, RSTART + 4, RLENGTH - 4)
    } else if (name == "new_thread") {
      match(rest, /tid=[0-9a-f]+/)
      owner[substr(rest, RSTART + 4, RLENGTH - 4)] = pendingThread[tid]
    } else if (name == "new_process") {
      match(rest, /pid=[0-9a-f]+/); newpid = substr(rest, RSTART + 4, RLENGTH - 4)
      match(rest, /handle=[0-9a-f]+/); handle = substr(rest, RSTART + 7, RLENGTH - 7)
      child[owner[tid], handle] = newpid
      if (pendingShell[tid] && shell == "") shell = newpid
    }
  }
  function median(list, n,    i, j, t, a) {
    split(list, a, " ")
    for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  END {
    for (pid in counted) {
      kind = label[pid] (nshows[pid] > 0 ? "+shows" : "")
      own[kind] = own[kind] " " count[pid]; ++n[kind]
      s = 0
      for (l = first[pid]; l <= last[pid]; ++l) if (l in shellAt) ++s
      shellList[kind] = shellList[kind] " " s
    }
    printf "%-12s %16s %16s %18s %16s\n", "", "own requests", "shell requests", "per show (own)", "per show (shell)"
    for (i = 1; i <= 3; ++i) {
      k = i == 1 ? "program" : i == 2 ? "floor" : "tray-floor"
      own0[k] = median(own[k], n[k]); shell0[k] = median(shellList[k], n[k])
      perShow = perShell = "-"
      if (n[k "+shows"] > 0 && shows > 0) {
        perShow = sprintf("%.0f", (median(own[k "+shows"], n[k "+shows"]) - own0[k]) / shows)
        perShell = sprintf("%.0f", (median(shellList[k "+shows"], n[k "+shows"]) - shell0[k]) / shows)
        ownShow[k] = perShow
      }
      printf "%-12s %16.0f %16.0f %18s %16s\n", k, own0[k], shell0[k], perShow, perShell
    }
    if (own0["tray-floor"] > 0) {
      r = own0["program"] / own0["tray-floor"]
      printf "against the tray floor:\n  %-36s %8.0f / %8.0f = %5.2f  (target 1.30: %s)\n", "start-up requests",
             own0["program"], own0["tray-floor"], r, r <= 1.3 ? "met" : "not met"
      if (ownShow["tray-floor"] > 0)
        printf "  %-36s %8.0f / %8.0f = %5.2f\n", "requests per hide and show", ownShow["program"],
               ownShow["tray-floor"], ownShow["program"] / ownShow["tray-floor"]
    }
    if (shell == "") print "(the shell process was not found in the log)"
  }
' "$requests/starts.txt" "$requests/server.log" || status=$?

# --- Times and memory ---------------------------------------------------
wine_session start >/dev/null
echo
echo "== Time until the window is shown and painted, shown again from the tray, and peak"
echo "   memory (median of $runs starts each; each start shown $shows times from the tray)"
wine_session run "$win/bench_startup.exe" -n "$runs" -shows "$shows" 2>&1 || status=$?

# A fresh Wine session is still busy with its own start for the first
# seconds: three runs.
if [ -f "$win/bench_inprocess.exe" ]; then
  echo
  echo "== Cost of putting a year on the calendar, and of rebuilding the tray's date icon"
  echo "   against the least a 16x16 icon costs (in-process, three runs)"
  for run in 1 2 3; do
    wine_session run "$win/bench_inprocess.exe" 2>&1 || status=$?
  done
fi

# Native, optimised and without the sanitizers (not under Wine).
if [ -x "$build/marked_days_bench" ]; then
  echo
  echo "== Reading and indexing a calendar file of 5,000 events (a quarter recurring), and the"
  echo "   day-state answer for twelve months (native)"
  "$build/marked_days_bench" || status=$?
fi
exit $status
