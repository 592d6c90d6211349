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

step "drag the master knob down to its end"
y=$((50 + 72 + 13))  # 100 % puts the knob at the top of its track
xdotool mousemove "$x" "$y" mousedown 1
for _ in $(seq 1 60); do xdotool mousemove_relative 0 1; sleep 0.01; done
xdotool mouseup 1
sleep 0.3
[ "$(sink_percent)" -eq 0 ] || fail "sink at $(sink_percent) % after dragging to the bottom"
shot "knob-at-bottom"

step "drag it back up to the top"
y=$((50 + 116 + 13))
xdotool mousemove "$x" "$y" mousedown 1
for _ in $(seq 1 60); do xdotool mousemove_relative -- 0 -1; sleep 0.01; done
xdotool mouseup 1
sleep 0.3
[ "$(sink_percent)" -eq 100 ] || fail "sink at $(sink_percent) % after dragging to the top"
echo ok
