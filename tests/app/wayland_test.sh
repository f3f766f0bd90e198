#!/usr/bin/env bash
# Starts the real program on the demo collection under a headless Wayland compositor (weston) with Qt's wayland
# platform plugin, checks on a screenshot that the catalogue has loaded (the list shows its rows), presses Esc and
# checks that the program ends with status 0. Weston's headless backend has no keyboard; the key_seat plugin gives it
# one and presses Esc when the compositor receives SIGUSR1. Exits 77 (skipped) where weston is not installed.
set -euo pipefail
program=$1 generator=$2 plugin=$3 out=$4
if ! command -v weston >/dev/null || ! command -v weston-screenshooter >/dev/null; then
    echo "weston is not installed: skipped"
    exit 77
fi
rm -rf "$out"
mkdir -p "$out/runtime" "$out/config"
chmod 700 "$out/runtime"
"$generator" "$out/demo" >"$out/generator.log"

# A runtime folder and socket of its own, so that other compositors on the machine are neither used nor disturbed.
export XDG_RUNTIME_DIR=$out/runtime XDG_CONFIG_HOME=$out/config WAYLAND_DISPLAY=mapcatalogue-test-$$
unset DISPLAY
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --idle-time=0 --width=1280 \
    --height=1024 --debug --modules="$plugin" >"$out/weston.log" 2>&1 &
compositor=$!
app=""
cleanup() { [ -n "$app" ] && kill "$app" 2>/dev/null; kill "$compositor" 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
if [ ! -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]; then echo "weston did not start"; cat "$out/weston.log"; exit 1; fi

# The program paints with Qt's raster engine into shared-memory buffers and makes no OpenGL window, so the test keeps
# Qt from loading its OpenGL buffer integration (wayland-egl), which loads libEGL_mesa and Mesa's swrast driver.
# That driver leaves a small allocation behind that LeakSanitizer reports at exit from a library already unloaded
# ("<unknown module>", so no suppression can name it), on some processors and not on others. A name that matches no
# integration loads none; Qt says so once on standard error.
(cd "$out/demo" && QT_QPA_PLATFORM=wayland QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none exec "$program" "$out/demo") \
    >"$out/program.log" 2>&1 &
app=$!

# The list's text colour: a few hundred pixels of it once the rows are drawn, none in the window's artwork.
list_text_pixels() {
    convert "$1" -alpha off -fuzz 3% -fill "rgb(1,2,3)" -opaque "rgb(68,28,26)" -format %c histogram:info:- |
        awk '/#010203/ {sub(":", "", $1); print $1; found = 1} END {if (!found) print 0}'
}
loaded=0
for _ in $(seq 60); do
    sleep 0.5
    kill -0 "$app" 2>/dev/null || { echo "the program ended early"; cat "$out/program.log"; exit 1; }
    rm -f "$out"/wayland-screenshot-*.png
    (cd "$out" && timeout 10 weston-screenshooter) >/dev/null 2>&1 || continue
    shot=$(ls "$out"/wayland-screenshot-*.png 2>/dev/null | head -n 1)
    [ -n "$shot" ] || continue
    if [ "$(list_text_pixels "$shot")" -gt 200 ]; then
        loaded=1
        mv "$shot" "$out/catalogue_wayland.png"
        break
    fi
done
if [ $loaded -ne 1 ]; then echo "the catalogue's list did not appear"; cat "$out/program.log"; exit 1; fi
echo "screenshot $out/catalogue_wayland.png"

# Esc once a second until the program ends: on a loaded machine the first press may come before the window has the
# keyboard.
for _ in $(seq 10); do
    kill -USR1 "$compositor"
    for _ in $(seq 10); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app" 2>/dev/null || break
done
if kill -0 "$app" 2>/dev/null; then echo "Esc did not end the program"; exit 1; fi
status=0
wait "$app" || status=$?
app=""
if [ $status -ne 0 ]; then echo "the program ended with status $status"; cat "$out/program.log"; exit 1; fi
echo "the catalogue loaded under Wayland and Esc ended the program with status 0"
