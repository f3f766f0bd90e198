#!/usr/bin/env bash
# Run inside a D-Bus session of its own (dbus-run-session), on the X display the smoke test made: starts the program
# with Qt's AT-SPI bridge on, reads its tree once as a screen reader does (accessible_tree.py, which writes the tree to
# $out/accessible_tree.txt) and closes the program. The session starts the accessibility bus when it is first asked.
set -uo pipefail
program=$1 demo=$2 out=$3
here=$(dirname "$0")
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" "$demo" > "$out/program_atspi.log" 2>&1 &
app=$!
status=0
/usr/bin/python3 "$here/accessible_tree.py" "$out/accessible_tree.txt" || status=$?
xdotool key Escape
sleep 2 # the clean exit is the main run's to check; here the program only has to go
kill "$app" 2>/dev/null; wait "$app" 2>/dev/null
exit "$status"
