#!/usr/bin/env bash
# One session as a new user has it, driven only by real X events: start,
# splash, a preset, keyboard and mouse playing, a recording played back and
# stopped, saved as a score text file and as a MIDI file through the file
# dialog, each opened and played, the settings window, the master knob, and
# exit with code 0. What the speakers get is captured from the null sink.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin user_session "$1"
files="$E2E_ARTIFACTS/files"
mkdir -p "$files"
at() { echo $((50 + $1)) $((50 + $2)); }  # main window coordinates to screen
click_at() { xdotool mousemove $(at "$1" "$2") click 1; sleep "${3:-0.3}"; }

# RMS of what the sink plays during the next $1 seconds.
listen() {
  local raw="$E2E_ARTIFACTS/listen.raw"
  parec -d testsink.monitor --raw --format=s16le --rate=48000 --channels=1 >"$raw" 2>/dev/null &
  local p=$!
  sleep "$1"
  kill -INT "$p" 2>/dev/null; wait "$p" 2>/dev/null
  python3 -c "
import sys, struct, math
d = open('$raw', 'rb').read()
n = len(d) // 2
s = struct.unpack('<%dh' % n, d[:n * 2]) if n else ()
print('%.5f' % (math.sqrt(sum(x * x for x in s) / n) / 32768 if n else 0))"
}
loud() { awk -v r="$1" 'BEGIN {exit !(r > 0.0012)}'; }
quiet() { awk -v r="$1" 'BEGIN {exit !(r < 0.0005)}'; }

# Types a path into the file dialog that has just opened and confirms it.
choose_file() {
  wait_window "$2" >/dev/null || fail "no file dialog"
  sleep 0.4
  shot "$3"
  xdotool key ctrl+a type --delay 5 "$1"
  xdotool key Return
  sleep 0.5
}

step "start: the splash shows, then goes"
launch program "$E2E_BUILD/vesko-keyboard"
pid=$LAUNCHED_PID
win=$(wait_window "Vesko电子琴1.0") || fail "no main window"
sleep 0.3
[ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -ge 2 ] || fail "no splash"
shot "splash"
sleep 1.2
[ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -eq 1 ] || fail "the splash stayed"
xdotool windowactivate --sync "$win" 2>/dev/null || true
shot "main-window"
listen 0.5 >/dev/null  # the null sink wakes up

step "choose a preset and play with the keyboard"
click_at 539 81
xdotool key --delay 150 q w e r t &
keys=$!
r=$(listen 1.2); wait "$keys"
loud "$r" || fail "keyboard playing was silent (RMS $r)"

step "play with the mouse"
xdotool mousemove $(at $((64 + 252 + 9)) $((195 + 100))) mousedown 1
r=$(listen 1.0)
xdotool mouseup 1
loud "$r" || fail "a held on-screen key was silent (RMS $r)"

step "record"
click_at 320 167
for k in q e t u; do xdotool keydown "$k"; sleep 0.3; xdotool keyup "$k"; sleep 0.1; done
click_at 320 167
sleep 1

step "play the recording: it sounds"
click_at 422 167 0.1
click_at 403 133 0.1  # the notation display
r=$(listen 1.0)
shot "during-playback"
loud "$r" || fail "playback was silent (RMS $r)"

step "stop: the sound is gone"
click_at 372 167 0.8
r=$(listen 0.8)
quiet "$r" || fail "still sounding after stop (RMS $r)"

step "save as a score text file"
click_at 684 169 0.1
choose_file "$files/song.txt" "" "save-dialog"
xdotool key Return  # 保存文件成功
sleep 0.3
head -c 4 "$files/song.txt" | grep -q vmid || fail "song.txt is not a score text file"

step "save as a MIDI file"
click_at 684 169 0.1
choose_file "$files/song.mid" "" "save-dialog-2"
xdotool key Return
sleep 0.3
head -c 4 "$files/song.mid" | grep -q MThd || fail "song.mid is not a MIDI file"

step "open the score text file and play it"
click_at 634 169 0.1
choose_file "$files/song.txt" "" "open-dialog"
click_at 422 167 0.1
r=$(listen 1.0)
loud "$r" || fail "the score text file played silently (RMS $r)"
click_at 372 167 0.5

step "open the MIDI file and play it"
click_at 634 169 0.1
choose_file "$files/song.mid" "" "open-dialog-2"
click_at 422 167 0.1
r=$(listen 1.0)
loud "$r" || fail "the MIDI file played silently (RMS $r)"
[ -f "$files/song.mid.txt" ] || fail "no score text file beside the imported MIDI file"
[ ! -e "$files/song.mid.bak" ] || fail "the working copy was left behind"
click_at 372 167 0.5

step "the settings window changes the instrument"
click_at 214 169 0.1
swin=$(wait_window "设置窗口") || fail "no settings window"
sleep 0.4
shot "settings"
eval "$(xdotool getwindowgeometry --shell "$swin")"
xdotool mousemove $((X + 156)) $((Y + 108)) click 1 sleep 0.4 key Escape sleep 0.2 key Home
sleep 0.2
xdotool mousemove $((X + 115)) $((Y + 207)) click 1
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name "设置窗口" 2>/dev/null)" ] || fail "the settings window stayed"
sleep 1  # the device was closed and opened again: a new stream to the sink
(sleep 0.2; xdotool keydown q; sleep 0.6; xdotool keyup q) &
keys=$!
r=$(listen 1.0); wait "$keys"
loud "$r" || fail "silent after the settings were confirmed (RMS $r)"

step "the master knob turns the sink down"
pactl set-sink-volume testsink 100%
xdotool mousemove $(at $((185 + 8)) $((72 + 13))) mousedown 1
for _ in $(seq 1 22); do xdotool mousemove_relative 0 1; sleep 0.01; done
xdotool mouseup 1
sleep 0.3
v=$(pactl get-sink-volume testsink | grep -o '[0-9]*%' | head -1 | tr -d %)
# One pixel per movement that reaches the knob; a busy X server may merge
# some movements, so the knob ends somewhere on the way down.
[ "$v" -gt 0 ] && [ "$v" -lt 100 ] || fail "sink at $v % after dragging the knob part way down"

step "exit"
click_at 728 15 0.1
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "still running after exit"
wait "$pid"; rc=$?
[ "$rc" -eq 0 ] || fail "exit code $rc"
echo ok
