#!/usr/bin/env python3
"""The winget and Scoop manifests carry what each package manager requires, and
name the built files by their names and SHA-256. Usage: manifests_test.py PACKAGE_DIR"""
import hashlib
import json
import pathlib
import sys
import zipfile

import yaml

pkg = pathlib.Path(sys.argv[1])
setup = next(pkg.glob("KivCalendar-*-setup.exe"))
portable = next(pkg.glob("KivCalendar-*-portable.zip"))
version = setup.name.removeprefix("KivCalendar-").removesuffix("-setup.exe")
in_zip = zipfile.ZipFile(portable).namelist()
failures = []


def expect(what, ok):
    if not ok:
        failures.append(what)


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


ident = "KivSoft.KivCalendar"
winget = {  # file -> (ManifestType, fields it must have besides the common ones)
    f"{ident}.yaml": ("version", {"DefaultLocale"}),
    f"{ident}.installer.yaml": ("installer", {"Installers"}),
    f"{ident}.locale.en-US.yaml": ("defaultLocale",
                                   {"PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"}),
}
docs = {}
for name, (kind, required) in winget.items():
    doc = docs[kind] = yaml.safe_load((pkg / "manifests/winget" / ident / version / name).read_text())
    for key, value in {"PackageIdentifier": ident, "PackageVersion": version, "ManifestType": kind}.items():
        expect(f"{name}: {key} is {doc.get(key)!r}", doc.get(key) == value)
    expect(f"{name}: ManifestVersion", isinstance(doc.get("ManifestVersion"), str))
    expect(f"{name}: lacks {sorted(required - doc.keys())}", required <= doc.keys())
installer = docs["installer"]
expect("per-user nullsoft installer", (installer.get("InstallerType"), installer.get("Scope")) == ("nullsoft", "user"))
expect("silent switch /S", installer.get("InstallerSwitches", {}).get("Silent") == "/S")
[entry] = installer["Installers"]
expect("installer URL", entry.get("InstallerUrl", "").endswith("/" + setup.name))
expect("installer SHA-256", entry.get("InstallerSha256") == sha256(setup).upper())

scoop = json.loads((pkg / "manifests/scoop/kiv-calendar.json").read_text())
expect(f"Scoop fields: {sorted(scoop)}", {"version", "url", "hash", "bin", "shortcuts"} <= scoop.keys())
expect("Scoop version", scoop.get("version") == version)
expect("Scoop URL", scoop.get("url", "").endswith("/" + portable.name))
expect("Scoop hash", scoop.get("hash") == sha256(portable))
expect("Scoop bin in the zip", scoop.get("bin") in in_zip)
expect("Scoop shortcut to a program in the zip", [s[0] for s in scoop.get("shortcuts", [])] == ["KivCalendar.exe"])

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
