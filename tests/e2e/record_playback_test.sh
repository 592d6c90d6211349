#!/usr/bin/env bash
# Record a few real key presses, stop, play: the notes come back in the
# order they were played, at about the recorded lengths, and the keys light.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin record_playback "$1"
log="$E2E_ARTIFACTS/midi.log"
at() { echo $((50 + $1)) $((50 + $2)); }  # window coordinates to screen

step "start"
launch program "$E2E_BUILD/tests/program_probe" "$log"
win=$(wait_window "Vesko电子琴1.0") || fail "no main window"
sleep 1.3
xdotool windowactivate --sync "$win" 2>/dev/null || true

step "record Q, W, E"
xdotool mousemove $(at 320 167) click 1
sleep 0.2
for k in q w e; do
  xdotool keydown "$k"; sleep 0.35; xdotool keyup "$k"; sleep 0.1
done
xdotool mousemove $(at 320 167) click 1
sleep 0.2

step "play it back"
before=$(wc -l <"$log")
xdotool mousemove $(at 422 167) click 1
sleep 1.0
shot "during-playback"
sleep 3.5
played=$(tail -n +"$((before + 1))" "$log" | awk '$2 == "90" {print $3}' | tr '\n' ' ')
[ "$played" = "3C 3E 40 " ] || fail "played back: '$played'"
# The notes follow each other at the lengths the recording gave them, not
# all at once.
t1=$(tail -n +"$((before + 1))" "$log" | awk '$2 == "90" && $3 == "3E" {print $1; exit}')
t0=$(tail -n +"$((before + 1))" "$log" | awk '$2 == "90" && $3 == "3C" {print $1; exit}')
gap=$(awk -v a="$t0" -v b="$t1" 'BEGIN {print int(b - a)}')
[ "$gap" -ge 200 ] && [ "$gap" -le 2000 ] || fail "first note lasted $gap ms"

step "the play button is up again at the end"
before=$(wc -l <"$log")
xdotool mousemove $(at 422 167) click 1  # plays again from the first token
sleep 0.6
tail -n +"$((before + 1))" "$log" | awk '$2 == "90" {print $3; exit}' | grep -qx 3C || fail "second play did not start at the first note"
echo ok
