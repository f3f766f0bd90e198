#!/usr/bin/env bash
# Starts the real program under Xvfb on the demo collection, clicks through the catalogue window's tabs, orderings and
# about page and opens the viewer, checks that each click shows what it should (the list changes with each tab and
# ordering, a viewer window appears on Enter), takes screenshots of what the user sees (the catalogue window and the
# viewer at actual size and fit to screen), closes both and checks a clean exit; reads the catalogue window's accessible
# tree through AT-SPI once (accessible_tree.sh); then starts it once more on a screen scaled by 2 and takes a picture
# of the catalogue window there.
set -euo pipefail
program=$1 generator=$2 out=$3
mkdir -p "$out"
"$generator" "$out/demo" > "$out/generator.log"

# Xvfb picks a free display itself and writes its number once it accepts connections: several builds on one machine
# may run this test at the same time. start_server SIZE starts one with a screen of that size and points DISPLAY at it.
xvfb=""
app=""
cleanup() { [ -n "$app" ] && kill "$app" 2>/dev/null; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
unset QT_QPA_PLATFORM
start_server() {
    rm -f "$out/display"
    # -noreset: the server does not reset when its last client (the readiness probe below) leaves, so the program
    # never meets a server in the middle of a reset.
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3> "$out/display" > "$out/xvfb.log" 2>&1 &
    xvfb=$!
    # A kill that runs no trap (SIGKILL at a time-out) must not leave the server behind either.
    (while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$xvfb" 2>/dev/null) > /dev/null 2>&1 < /dev/null &
    for _ in $(seq 300); do [ -s "$out/display" ] && break; sleep 0.1; done
    if [ ! -s "$out/display" ]; then echo "Xvfb did not start"; cat "$out/xvfb.log"; exit 1; fi
    export DISPLAY=":$(head -n 1 "$out/display")"
    # Under load the server may name its display before it answers: the program aborts without a display to talk to.
    answering=""
    for _ in $(seq 300); do xdpyinfo > /dev/null 2>&1 && answering=1 && break; sleep 0.1; done
    if [ -z "$answering" ]; then
        echo "the X server on $DISPLAY accepts no connection after 30 s"
        cat "$out/xvfb.log"
        exit 1
    fi
}
start_server 1280x1024

shot() { sleep "${2:-1}"; import -window root "$out/$1.png"; echo "screenshot $out/$1.png"; }
# The catalogue window lies at 143,90 on the screen; its pictures are cut out of the screen.
catalogue_shot() { shot "$1" "${2:-1}"; convert "$out/$1.png" -crop 800x601+143+90 +repage "$out/$1.png"; }
# A click, then the pointer leaves as a user's would: over the top bar's background (which leaves only the current
# tab lit) and off the window, so no picture shows a hover state that a click has already left behind.
click_window() {
    xdotool mousemove $((143 + $1)) $((90 + $2)) click 1
    xdotool mousemove $((143 + 230 + 90)) $((90 + 55)); sleep 0.2
    xdotool mousemove 1270 1010
}
# What the list panel (at 36,76 in the window, 312 x 491) shows in a catalogue picture, as a checksum of its pixels.
list_of() { convert "$out/$1.png" -crop 312x491+36+76 +repage -format '%#' info:; }
# Fails when a click left the list as the picture before it showed it.
list_changed() {
    if [ "$(list_of "$1")" = "$(list_of "$2")" ]; then echo "the list did not change from $1 to $2"; exit 1; fi
}
# After the Escape that ends it: the program exits within 5 s, with status 0. $1 names the run in the messages.
expect_exit() {
    for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$app" 2>/dev/null; then echo "$1 did not exit"; exit 1; fi
    local status=0
    wait "$app" || status=$?
    app=""
    echo "$1 exited with $status"
    [ "$status" -eq 0 ] || exit "$status"
}
visible_windows() { xdotool search --onlyvisible --class mapcatalogue 2>/dev/null | wc -l; }
wait_window() {
    for _ in $(seq 100); do xdotool search --onlyvisible --name "$1" > /dev/null 2>&1 && return 0; sleep 0.1; done
    echo "no window: $1"
    answer="still answers"
    xdpyinfo > /dev/null 2>&1 || answer="no longer answers"
    echo "the X server on $DISPLAY $answer"
    echo "program output:"; cat "$out/program.log"
    return 1
}

"$program" "$out/demo" > "$out/program.log" 2>&1 &
app=$!
wait_window "Каталог"
catalogue_shot catalogue_cities 2
# The category tabs of the top bar (which starts at 230), then the three orderings under the list (at 36,76).
click_window $((230 + 140)) 30; catalogue_shot catalogue_regions; list_changed catalogue_cities catalogue_regions
click_window $((230 + 230)) 30; catalogue_shot catalogue_country; list_changed catalogue_regions catalogue_country
click_window $((230 + 330)) 30; catalogue_shot catalogue_metro; list_changed catalogue_country catalogue_metro
click_window $((230 + 432)) 30; catalogue_shot catalogue_articles; list_changed catalogue_metro catalogue_articles
click_window 60 590; catalogue_shot catalogue_about; list_changed catalogue_articles catalogue_about
click_window $((230 + 50)) 30; catalogue_shot catalogue_cities_again
list_changed catalogue_about catalogue_cities_again
click_window $((36 + 140)) $((76 + 481)); catalogue_shot catalogue_by_year
list_changed catalogue_cities_again catalogue_by_year
click_window $((36 + 220)) $((76 + 481)); catalogue_shot catalogue_by_quality
list_changed catalogue_by_year catalogue_by_quality
click_window $((36 + 88)) $((76 + 481)); catalogue_shot catalogue_by_name
list_changed catalogue_by_quality catalogue_by_name
# Back to the first city: the list keeps the keyboard.
xdotool key Home

# The list keeps the keyboard focus: Enter opens the chosen map in the viewer, a second window of the program.
before=$(visible_windows)
xdotool key Return
for _ in $(seq 100); do [ "$(visible_windows)" -gt "$before" ] && break; sleep 0.1; done
if [ "$(visible_windows)" -le "$before" ]; then echo "no viewer window after Enter"; exit 1; fi
sleep 3
shot viewer_actual_size 1
# Fit to screen: the fit glyph sits at 665..700 of the control bar, 44 pixels high at the bottom of the screen.
xdotool mousemove 682 $((1024 - 44 + 22)) click 1
shot viewer_fit 1
xdotool key Escape
sleep 1
catalogue_shot catalogue_after_viewer 1
xdotool key Escape
expect_exit "program"

# What a screen reader finds, read through the accessibility bus of a D-Bus session made for it.
dbus-run-session -- bash "$(dirname "$0")/accessible_tree.sh" "$program" "$out/demo" "$out" 2> "$out/dbus.log"
echo "accessible tree $out/accessible_tree.txt"

# The catalogue on a screen scaled by 2, on a server large enough for the window's 1600 x 1202 device pixels.
kill "$xvfb"; wait "$xvfb" 2>/dev/null || true
start_server 2200x1600
QT_SCALE_FACTOR=2 "$program" "$out/demo" > "$out/program_scale2.log" 2>&1 &
app=$!
wait_window "Каталог"
sleep 2
window=$(xdotool search --onlyvisible --name "Каталог" | head -n 1)
import -window "$window" "$out/catalogue_scale2.png"
echo "screenshot $out/catalogue_scale2.png"
size=$(identify -format '%wx%h' "$out/catalogue_scale2.png")
if [ "$size" != "1600x1202" ]; then echo "the catalogue at scale 2 is $size, not 1600x1202"; exit 1; fi
xdotool key Escape
expect_exit "program at scale 2"
