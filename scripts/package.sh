#!/bin/bash
# Makes the release files: the installer, the portable zip, SHA256SUMS and the
# winget and Scoop manifests, named after the version the build has.
# Usage: scripts/package.sh                  a clean Release build, packed into dist/
#        scripts/package.sh --from WIN OUT   packs the program of a built Windows tree WIN
#                                            (KivCalendar.exe, Help.html, art/kiv.ico and its
#                                            CMakeCache.txt) into OUT
# The manifests point at KIV_DOWNLOAD_BASE_URL, where the files are to be published.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = --from ]; then
  [ $# -eq 3 ] || { echo "usage: $0 [--from WIN_BUILD_DIR OUT_DIR]" >&2; exit 2; }
  win=$(realpath "$2"); out=$(realpath -m "$3")
else
  [ $# -eq 0 ] || { echo "usage: $0 [--from WIN_BUILD_DIR OUT_DIR]" >&2; exit 2; }
  "$root/scripts/install-deps.sh"
  build=$root/build-package
  rm -rf "$build"
  "$root/scripts/build-program.sh" "$build"
  win=$build/win; out=$root/dist
fi

# The one version of the build: the project's, as CMake recorded it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $win/CMakeCache.txt" >&2; exit 1; }
IFS=. read -r v1 v2 v3 v4 <<<"$version"
version4=${v1:-0}.${v2:-0}.${v3:-0}.${v4:-0}
download_base=${KIV_DOWNLOAD_BASE_URL:-https://downloads.example.invalid/kiv-calendar/$version}

exe=$win/KivCalendar.exe
if [ -n "$(x86_64-w64-mingw32-nm "$exe" 2>/dev/null)" ]; then
  echo "$exe still has its symbols: a Release build is stripped" >&2; exit 1
fi

setup=KivCalendar-$version-setup.exe
zipname=KivCalendar-$version-portable.zip
rm -rf "$out"
mkdir -p "$out"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Text files in Windows line ends, for Notepad.
crlf() { sed 's/\r*$/\r/' "$@"; }
cp "$exe" "$win/Help.html" "$win/art/kiv.ico" "$stage/"
crlf "$root/LICENSE" >"$stage/LICENSE.txt"
sed "s/@VERSION@/$version/" "$root/installer/README.txt" | crlf >"$stage/README.txt"

makensis -V2 -DVERSION="$version" -DVERSION4="$version4" -DSTAGE="$stage" -DOUTFILE="$out/$setup" \
  "$root/installer/KivCalendar.nsi"
(cd "$stage" && zip -q -X -9 "$out/$zipname" KivCalendar.exe Help.html README.txt LICENSE.txt)
(cd "$out" && sha256sum "$setup" "$zipname" >SHA256SUMS)
setup_sha=$(sha256sum "$out/$setup" | cut -d' ' -f1)
zip_sha=$(sha256sum "$out/$zipname" | cut -d' ' -f1)

# winget: the version, installer and default-locale files of one version.
id=KivSoft.KivCalendar
wg=$out/manifests/winget/$id/$version
mkdir -p "$wg"
schema=1.6.0
header="# Made by scripts/package.sh from the build's version and files."
cat >"$wg/$id.yaml" <<EOF
$header
PackageIdentifier: $id
PackageVersion: "$version"
DefaultLocale: en-US
ManifestType: version
ManifestVersion: $schema
EOF
cat >"$wg/$id.installer.yaml" <<EOF
$header
PackageIdentifier: $id
PackageVersion: "$version"
InstallerType: nullsoft
Scope: user
InstallModes:
  - interactive
  - silent
InstallerSwitches:
  Silent: /S
  SilentWithProgress: /S
UpgradeBehavior: install
ProductCode: KivCalendar
Installers:
  - Architecture: x64
    InstallerUrl: $download_base/$setup
    InstallerSha256: ${setup_sha^^}
ManifestType: installer
ManifestVersion: $schema
EOF
cat >"$wg/$id.locale.en-US.yaml" <<EOF
$header
PackageIdentifier: $id
PackageVersion: "$version"
PackageLocale: en-US
Publisher: Kiv Soft
PublisherUrl: https://kivsoft.example
PackageName: Kiv Calendar
PackageUrl: https://kivsoft.example
License: Freeware
Copyright: Copyright (c) 2008-2026 Kiv Soft
ShortDescription: A year calendar in the Windows notification area.
Description: >-
  A small tray calendar: a whole year of month panes on one screen, today's date in the
  notification-area icon, a quiet start with Windows, printing, and colours of your choice.
Moniker: kivcalendar
Tags:
  - calendar
  - tray
ManifestType: defaultLocale
ManifestVersion: $schema
EOF

# Scoop: the portable zip.
mkdir -p "$out/manifests/scoop"
cat >"$out/manifests/scoop/kiv-calendar.json" <<EOF
{
    "version": "$version",
    "description": "A year calendar in the Windows notification area.",
    "homepage": "https://kivsoft.example",
    "license": "Freeware",
    "url": "$download_base/$zipname",
    "hash": "$zip_sha",
    "bin": "KivCalendar.exe",
    "shortcuts": [
        [
            "KivCalendar.exe",
            "Kiv Calendar"
        ]
    ],
    "notes": "Settings are kept in HKCU\\\\Software\\\\Kiv Soft\\\\Calendar; 'scoop uninstall' leaves them."
}
EOF

echo "Kiv Calendar $version packed into $out:"
(cd "$out" && ls -l "$setup" "$zipname" SHA256SUMS && find manifests -type f | sort)
