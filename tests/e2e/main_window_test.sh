#!/usr/bin/env bash
# The main window under Xvfb: it shows, it is really cut to its shape, and
# its body can be dragged to move it.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin main_window "$1"

step "start"
launch program "$E2E_BUILD/tests/program_probe" "$E2E_ARTIFACTS/midi.log"
win=$(wait_window "Vesko电子琴1.0") || fail "no main window"
sleep 1.5  # the splash goes after a second
shot "main-window"

step "the window is shaped"
xwininfo -id "$win" -shape | grep -q "No window shape defined" && fail "the window is not shaped"

step "the splash is gone"
others=$(xdotool search --onlyvisible --pid "$LAUNCHED_PID" 2>/dev/null | grep -vx "$win" | wc -l)
[ "$others" -eq 0 ] || fail "$others other windows still show"

step "dragging the body moves the window"
# A point on the body that no control covers: between the knobs and the display.
xdotool mousemove 320 80 mousedown 1 mousemove 340 90 mousemove 370 110 mouseup 1
sleep 0.3
x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
[ "$x" -gt 50 ] || fail "window did not move (x=$x)"
echo "ok"
