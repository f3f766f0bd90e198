#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it as a new user's machine sees it: lintian finds no error,
# the metainfo and the desktop entry validate, the package's dependencies resolve, and the program unpacked into a
# fresh root answers --version and starts under Xvfb, started the way the desktop menu starts it (no argument, in
# an empty home), finding the demo collection on "mounted media" without asking.
# Usage: tools/check_package.sh [BUILD-DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
out=$build/package-check
rm -rf "$out" && mkdir -p "$out"

(cd "$build" && cpack -G DEB > "$out/cpack.log")
deb=$build/mapcatalogue_${version}_amd64.deb
[ -f "$deb" ] || { cat "$out/cpack.log"; echo "no $deb"; exit 1; }
dpkg-deb -f "$deb" Package Version Depends
lintian --fail-on error --display-level '>=warning' "$deb"
apt-get install --simulate --no-install-recommends "$deb" > "$out/apt-simulate.log" \
    || { cat "$out/apt-simulate.log"; echo "the package's dependencies do not resolve"; exit 1; }

root=$out/root
dpkg -x "$deb" "$root"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$root/usr/share/applications/mapcatalogue.desktop"
for size in 48 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/mapcatalogue.png" ] || { echo "no ${size}px icon"; exit 1; }
done
program=$root/usr/bin/mapcatalogue
answer=$("$program" --version)
[ "$answer" = "mapcatalogue $version" ] || { echo "--version says \"$answer\", the package $version"; exit 1; }
echo "$answer"

# A home of its own (no remembered collection) and a disc under a media folder of the user.
home=$out/home media=$out/media
account=$(id -un) # the program takes the account's name from the user database, not from USER
mkdir -p "$home" "$media/media/$account"
"$build/tools/demo_collection/make_demo_collection" "$media/media/$account/DEMO_DISC" > "$out/generator.log"
# Xvfb picks a free display itself and names it once it listens; -noreset keeps the server from resetting when its
# last client (the readiness probe below) leaves, so the program never meets a server in the middle of a reset.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3> "$out/display" > "$out/xvfb.log" 2>&1 &
xvfb=$!
app=""
cleanup() {
    status=$?
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null || true
    # Whatever step failed, the program's own words come with the failure.
    if [ "$status" -ne 0 ] && [ -s "$out/program.log" ]; then echo "== the program printed:"; cat "$out/program.log"; fi
}
trap cleanup EXIT
for _ in $(seq 300); do [ -s "$out/display" ] && break; sleep 0.1; done
[ -s "$out/display" ] || { cat "$out/xvfb.log"; echo "Xvfb did not start"; exit 1; }
display=":$(head -n 1 "$out/display")"
# Under load the server may name its display before it answers: without one to talk to, the program aborts.
answering=""
for _ in $(seq 300); do DISPLAY=$display xdpyinfo > /dev/null 2>&1 && answering=1 && break; sleep 0.1; done
[ -n "$answering" ] || { cat "$out/xvfb.log"; echo "Xvfb on $display does not answer"; exit 1; }
(cd "$home" && exec env -u QT_QPA_PLATFORM DISPLAY="$display" HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    USER=checker MAPCATALOGUE_MEDIA_ROOT="$media" "$program" > "$out/program.log" 2>&1) &
app=$!
windows=""
for _ in $(seq 300); do
    windows=$(DISPLAY=$display xdotool search --onlyvisible --name "Каталог" 2>/dev/null || true)
    [ -n "$windows" ] && break
    sleep 0.1
done
sleep 2 # time for a message box, should one come
windows=$( (DISPLAY=$display xdotool search --onlyvisible --name "." 2>/dev/null || true) | wc -l)
DISPLAY=$display import -window root "$out/started.png"
[ "$windows" -eq 1 ] || { echo "expected the catalogue window alone, saw $windows windows"; exit 1; }
grep -q "DEMO_DISC" "$home/.config/mapcatalogue/mapcatalogue.conf" \
    || { echo "the collection found was not remembered"; exit 1; }
DISPLAY=$display xdotool key Escape
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
status=0; wait "$app" || status=$?
app=""
[ "$status" -eq 0 ] || { echo "the program ended with $status"; exit 1; }
echo "package $deb checked; screenshot $out/started.png"
