#!/usr/bin/env bash
# The real Windows program under Wine on the windows platform plugin, Xvfb for the display, run as from a disc: the
# program folder of `cmake --install BUILD` beside the demo collection in a folder with a Cyrillic name, some maps
# with Cyrillic file names (the first city among them), started there without arguments. The catalogue shows the
# cities (the list changes with the tab), Enter opens the first city in the viewer, Esc closes the viewer, then the
# catalogue, and the program ends with status 0. OUT/windows_catalogue.png is the catalogue window as a user sees it.
#   windows_smoke_test.sh BUILD OUT GENERATOR-COMMAND...   (the demo collection generator, with its emulator)
set -euo pipefail
build=$1 out=$2 && shift 2
rm -rf "$out" && mkdir -p "$out"
"$@" "$out/demo" >"$out/generator.log"
disc="$out/Старинные карты"
mv "$out/demo" "$disc"
iconv -f CP1251 -t UTF-8 "$disc/Goroda/About/maps.txt" >"$out/maps.txt"
for name in arkhangelsk:Архангельск astrakhan:Астрахань moskva:Москва; do
    mv "$disc/Goroda/${name%:*}.jpg" "$disc/Goroda/${name#*:}.jpg"
    mv "$disc/Goroda/previews/${name%:*}.jpg" "$disc/Goroda/previews/${name#*:}.jpg"
    sed -i "s/@${name%:*}\.jpg@/@${name#*:}.jpg@/" "$out/maps.txt"
done
iconv -f UTF-8 -t CP1251 "$out/maps.txt" >"$disc/Goroda/About/maps.txt"
cmake --install "$build" --prefix "$disc" >"$out/install.log"
# A Wine prefix of the test's own: the program's settings (the registry) and Wine's state stay out of the user's.
export WINEPREFIX=$out/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM
xvfb="" app=""
trap '{ [ -n "$app" ] && kill "$app"; wineserver -k; [ -n "$xvfb" ] && kill "$xvfb"; } 2>/dev/null; true' EXIT
trap 'exit 1' INT TERM HUP
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$out/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 300); do [ -s "$out/display" ] && break; sleep 0.1; done
[ -s "$out/display" ] || { echo "Xvfb did not start"; cat "$out/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n 1 "$out/display")"
mkdir -p "$WINEPREFIX" && wineserver -p && wineboot -i >/dev/null 2>&1 </dev/null
# A crash ends the program with Wine's backtrace on its error output, not with a dialog that waits.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
fail() { echo "$1; program output:"; cat "$out/program.log"; exit 1; }
visible_windows() { xdotool search --onlyvisible --class mapcatalogue 2>/dev/null | wc -l; }
# SHOT: the catalogue window cut out of the screen (the program places it itself; no window manager moves it).
catalogue_shot() {
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1.png"
}
# What the list panel (at 36,76 in the window, 312 x 491) shows in a catalogue picture, as a checksum of its pixels.
list_of() { convert "$out/$1.png" -crop 312x491+36+76 +repage -format '%#' info:; }

(cd "$disc" && exec wine ./mapcatalogue.exe) >"$out/program.log" 2>&1 &
app=$!
for _ in $(seq 300); do xdotool search --onlyvisible --name "Каталог" >/dev/null 2>&1 && break; sleep 0.1; done
window=$(xdotool search --onlyvisible --name "Каталог" | head -n 1) || fail "no catalogue window"
catalogue_shot windows_catalogue
# Enter opens the chosen map (the first city, whose file has a Cyrillic name) in the viewer, a second window; a
# click on the top bar's background gives the catalogue the keyboard first (no window manager does).
xdotool mousemove $((X + 230 + 90)) $((Y + 55)) click 1 sleep 1
before=$(visible_windows)
xdotool key Return
for _ in $(seq 100); do [ "$(visible_windows)" -gt "$before" ] && break; sleep 0.1; done
[ "$(visible_windows)" -gt "$before" ] || fail "no viewer window after Enter"
# The map decodes for some seconds: the reading threads end while the viewer is open.
sleep 6
import -window root "$out/windows_viewer.png"
xdotool mousemove 640 400 click 1 sleep 1 key Escape
for _ in $(seq 100); do [ "$(visible_windows)" -eq "$before" ] && break; sleep 0.1; done
[ "$(visible_windows)" -eq "$before" ] || fail "Esc left the viewer open"
# The regions tab of the top bar (at 230 + 140, 30 in the window): the list shows other maps.
xdotool mousemove $((X + 230 + 140)) $((Y + 30)) click 1 mousemove $((X + 230 + 90)) $((Y + 55))
catalogue_shot windows_regions
[ "$(list_of windows_catalogue)" != "$(list_of windows_regions)" ] || fail "the list did not change"
xdotool key Escape
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not exit"
status=0
wait "$app" || status=$?
app=""
echo "the program exited with $status"
# Wine ends a crashed program with status 0 in some runs: its report of the crash fails the test too.
! grep -q '^wine: Unhandled' "$out/program.log" || fail "the program crashed"
exit "$status"
