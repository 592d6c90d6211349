#!/usr/bin/env bash
# The master knob on the real mixer: dragged with real mouse events to the
# bottom of its track it mutes the default sink, to the top it sets 100 %.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin knob_volume "$1"

sink_percent() { pactl get-sink-volume testsink | grep -o '[0-9]*%' | head -1 | tr -d %; }

step "start"
pactl set-sink-volume testsink 100%
launch program "$E2E_BUILD/vesko-keyboard"
win=$(wait_window "Vesko电子琴1.0") || fail "no main window"
sleep 1.3
x=$((50 + 185 + 8))

# A drag moves the knob one pixel per pointer movement that reaches it; a
# busy X server may merge movements, leaving the pointer ahead of the knob
# and, 13 pixels on, outside it. Like a user, grab it again where it is.
knob_top() { echo $((116 - ($(sink_raw) + 744) / 1489)); }
sink_raw() { pactl get-sink-volume testsink | grep -o '[0-9]* /' | head -1 | tr -d ' /'; }
drag() {  # $1: +1 down, -1 up; until the sink reaches $2 %
  for _ in 1 2 3 4 5 6; do
    [ "$(sink_percent)" -eq "$2" ] && return 0
    xdotool mousemove "$x" $((50 + $(knob_top) + 13)) mousedown 1
    for _ in $(seq 1 50); do xdotool mousemove_relative -- 0 "$1"; sleep 0.02; done
    xdotool mouseup 1
    sleep 0.3
  done
  [ "$(sink_percent)" -eq "$2" ]
}

step "drag the master knob down to its end"
drag 1 0 || fail "sink at $(sink_percent) % after dragging to the bottom"
shot "knob-at-bottom"

step "drag it back up to the top"
drag -1 100 || fail "sink at $(sink_percent) % after dragging to the top"
echo ok
