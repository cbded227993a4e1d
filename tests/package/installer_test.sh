#!/bin/bash
# End to end under Wine, in a session of its own: the portable zip's contents,
# a silent install, the installed program, an update over a running copy and a
# silent uninstall that keeps the settings.
# Usage: installer_test.sh STATE WIN_BUILD_DIR PACKAGE_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
state=$(realpath -m "$1"); win=$(realpath "$2"); pkg=$(realpath "$3")
session=$root/scripts/wine-session.sh
fail() { echo "FAIL: $*" >&2; exit 1; }

setup=$(echo "$pkg"/KivCalendar-*-setup.exe); zip=$(echo "$pkg"/KivCalendar-*-portable.zip)
version=${setup##*/KivCalendar-}; version=${version%-setup.exe}
[ "$(unzip -Z1 "$zip" | sort | xargs)" = "Help.html KivCalendar.exe LICENSE.txt README.txt" ] \
  || fail "the zip holds: $(unzip -Z1 "$zip" | xargs)"

"$session" "$state" start none >/dev/null
trap '"$session" "$state" stop' EXIT
export WINEPREFIX=$state/prefix DISPLAY=$(cat "$state/display") WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
users=$WINEPREFIX/drive_c/users/$(id -un)
dir=$users/AppData/Local/Programs/Kiv\ Calendar
link=$users/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Kiv\ Calendar.lnk
uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KivCalendar'
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settings='HKCU\Software\Kiv Soft\Calendar'
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
# The calendar's processes of this session (other Wine sessions may run one too).
processes() {
  local p
  for p in $(pgrep -f 'KivCalendar\.exe'); do grep -qxzF "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null && echo "$p"; done
  return 0
}
wait_for() { local i; for i in $(seq "$1"); do eval "$2" && return 0; sleep 1; done; return 1; }
in_session() { timeout 120 wine "$@" >/dev/null 2>&1 </dev/null; }

# A user who ran the zip before: the settings must outlive the uninstall.
wine reg add "$settings" /v Columns /t REG_DWORD /d 3 /f >/dev/null 2>&1

in_session "$setup" /S || fail "the silent install failed"
for f in KivCalendar.exe Help.html LICENSE.txt Uninstall.exe; do [ -f "$dir/$f" ] || fail "not installed: $f"; done
[ -f "$link" ] || fail "no Start-menu shortcut"
unzip -p "$zip" KivCalendar.exe | cmp -s - "$dir/KivCalendar.exe" || fail "the zip and the installer ship different programs"
for v in "DisplayName=Kiv Calendar" "DisplayVersion=$version" "Publisher=Kiv Soft" \
         "UninstallString=\"C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Kiv Calendar\\Uninstall.exe\""; do
  [ "$(reg_value "$uninstall" "${v%%=*}")" = "${v#*=}" ] || fail "Uninstall key: ${v%%=*} is '$(reg_value "$uninstall" "${v%%=*}")'"
done
for v in DisplayIcon EstimatedSize QuietUninstallString; do [ -n "$(reg_value "$uninstall" $v)" ] || fail "no $v"; done
[ -z "$(reg_value "$run" "Kiv Calendar")" ] || fail "a start-up entry nobody asked for"

# Started from its shortcut, it shows its window.
wine start /unix "$link" >/dev/null 2>&1
wait_for 60 '[ -n "$(xdotool search --onlyvisible --name "^Kiv Calendar\$" 2>/dev/null)" ]' || fail "no window"
old=$(processes)
[ "$(wc -w <<<"$old")" = 1 ] || fail "running: '$old'"

# An update over the running copy: a program that differs from the first.
next=$state/next
mkdir -p "$next/win/art"
cp "$win/Help.html" "$next/win/"; cp "$win/art/kiv.ico" "$next/win/art/"
grep '^CMAKE_PROJECT_VERSION:' "$win/CMakeCache.txt" >"$next/win/CMakeCache.txt"
{ cat "$win/KivCalendar.exe"; echo "the next build"; } >"$next/win/KivCalendar.exe"
"$root/scripts/package.sh" --from "$next/win" "$next/dist" >/dev/null
in_session "$next/dist/${setup##*/}" /S /STARTWITHWINDOWS || fail "the update failed"
cmp -s "$next/win/KivCalendar.exe" "$dir/KivCalendar.exe" || fail "the program was not replaced"
wait_for 30 '[ -n "$(processes)" ] && [ "$(processes)" != "$old" ]' || fail "not started again"
new=$(processes)
[ "$(wc -w <<<"$new")" = 1 ] || fail "running after the update: '$new' (before: $old)"
grep -q " $(stat -c %i "$dir/KivCalendar.exe") .*/KivCalendar.exe\$" "/proc/$new/maps" || fail "the old program runs"
[ "$(reg_value "$run" "Kiv Calendar")" = "\"C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Kiv Calendar\\KivCalendar.exe\" -quiet" ] \
  || fail "start-up entry: '$(reg_value "$run" "Kiv Calendar")'"

# The uninstaller runs from a copy of itself, so its end is awaited.
in_session "$dir/Uninstall.exe" /S || fail "the silent uninstall failed"
wait_for 30 '[ ! -e "$dir" ] && ! wine reg query "$uninstall" >/dev/null 2>&1' || fail "not uninstalled: $(ls "$dir" 2>&1)"
[ ! -e "$link" ] || fail "the shortcut is left"
[ -z "$(reg_value "$run" "Kiv Calendar")" ] || fail "the start-up entry is left"
[ -z "$(processes)" ] || fail "still running"
[ "$(reg_value "$settings" Columns)" = 0x3 ] || fail "the settings are gone"
echo "PASS: installer $version"
