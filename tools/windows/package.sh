#!/usr/bin/env bash
# Makes what a Windows user downloads from a Windows build folder (tools/windows/build.sh calls it at its end):
#   bash tools/windows/package.sh BUILD-FOLDER
# -> BUILD-FOLDER/mapcatalogue-<version>-win64.exe   the 64-bit installer (Program Files, Start menu, uninstaller)
#    BUILD-FOLDER/mapcatalogue-<version>-win64.zip   the program folder, to run from a disc or any folder
# and tries them under Wine in a Wine prefix of its own (the user's ~/.wine and other sessions stay untouched):
# the installer is at most 25 MB, installs silently into C:\Program Files with its Start-menu entry, the installed
# program starts (--version) on nothing but its own folder's DLLs, and the silent uninstall removes it all; the
# ZIP's folder, unpacked under a Cyrillic name, starts the same way.
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 BUILD-FOLDER" >&2; exit 2; }
build=$(realpath "$1")
say() { echo "package.sh: $*"; }
die() { echo "package.sh: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ -n $version ]] || die "$build is no configured build folder"
name=mapcatalogue-$version-win64
rm -f "$build/$name.exe" "$build/$name.zip"
(cd "$build" && cpack -G "NSIS;ZIP") >"$build/cpack.log" 2>&1 || { tail -20 "$build/cpack.log"; die "cpack failed"; }
installer=$build/$name.exe
zip=$build/$name.zip
[[ -f $installer && -f $zip ]] || die "cpack made no $name.exe and $name.zip; see $build/cpack.log"
size=$(stat -c %s "$installer")
say "installer $installer: $((size / 1024)) KiB"
((size <= 25 * 1024 * 1024)) || die "the installer is over 25 MB"

check=$build/package-check
rm -rf "$check"
mkdir -p "$check"
export WINEPREFIX=$check/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH QT_PLUGIN_PATH
# One wineserver for the checks (a Wine process starts in 0.1 s instead of 4 s), ended with the script.
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1 </dev/null
# A crash ends the program with Wine's backtrace on its error output, not with a dialog that waits.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null

# Prints the version line of the program PATH (a Windows path) run under Wine; fails when it does not start.
version_of() {
    local line
    line=$(wine "$1" --version </dev/null 2>"$check/stderr.log" | tr -d '\r') ||
        { cat "$check/stderr.log"; die "$1 does not start"; }
    [[ $line == "mapcatalogue $version" ]] || { cat "$check/stderr.log"; die "$1 --version says '$line'"; }
    say "$1 --version: $line"
}

wine "$installer" /S </dev/null >/dev/null 2>&1 || die "the silent install failed"
installed="$WINEPREFIX/drive_c/Program Files/Map Catalogue"
[[ -f $installed/mapcatalogue.exe ]] || die "no mapcatalogue.exe in C:\\Program Files\\Map Catalogue"
shortcut=$(find "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" -name "Каталог старинных карт.lnk")
[[ -n $shortcut ]] || die "no Start-menu entry"
say "installed into C:\\Program Files\\Map Catalogue, Start menu: ${shortcut#*/Programs/}"
version_of 'C:\Program Files\Map Catalogue\mapcatalogue.exe'

# The uninstaller copies itself away and runs from there: wait for the folder and the Start-menu entry to go (the
# folder may go first).
wine "$installed/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || die "the silent uninstall failed"
for _ in $(seq 100); do [[ -e $installed || -e $shortcut ]] || break; sleep 0.2; done
[[ ! -e $installed ]] || die "the uninstall left $(find "$installed" | head -5)"
[[ ! -e $shortcut ]] || die "the uninstall left the Start-menu entry"
say "uninstalled: the folder and the Start-menu entry are gone"

disc="$WINEPREFIX/drive_c/Диск"
mkdir -p "$disc"
(cd "$disc" && unzip -q "$zip")
[[ -f $disc/$name/mapcatalogue.exe ]] || die "the ZIP holds no $name/mapcatalogue.exe"
version_of "C:\\Диск\\$name\\mapcatalogue.exe"
say "done: $installer, $zip"
