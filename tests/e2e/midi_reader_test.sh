#!/usr/bin/env bash
# A MIDI file written by the keyboard, read by outside programs: mido parses
# it as one track with the expected notes and ticks, and the fluidsynth
# command-line player renders it to audible sound. Needs no X and no sound server.
#   tests/e2e/midi_reader_test.sh <build-dir>
set -euo pipefail
build=$(cd "${1:?usage: midi_reader_test.sh <build-dir>}" && pwd)
probe="$build/tests/midi_writer_probe"
[ -x "$probe" ] || { echo "FAILED: $probe not built" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A recording as the recorder leaves it, with the tail the save command adds.
score="60@4 62@8 64@2. p@4 67@1. 72@16 48@5 "
"$probe" "${score}p@2" "$work/song.mid"

echo "--- mido reads the file"
/usr/bin/python3 - "$work/song.mid" <<'PY'
import sys
import mido

f = mido.MidiFile(sys.argv[1])
assert f.type == 1, f.type
assert len(f.tracks) == 1, len(f.tracks)
assert f.ticks_per_beat == 48, f.ticks_per_beat
track = f.tracks[0]
assert track[-1].type == "end_of_track", track[-1]

notes, held, now = [], {}, 0
for msg in track:
    now += msg.time
    if msg.type == "note_on" and msg.velocity > 0:
        assert msg.channel == 0 and msg.velocity == 64, msg
        held[msg.note] = now
    elif msg.type in ("note_on", "note_off"):
        notes.append((msg.note, held.pop(msg.note), now))
    elif msg.type != "end_of_track":
        raise AssertionError("unexpected event %r" % msg)

# Rests write nothing; an unknown symbol (5) keeps the previous note's ticks.
expected = [(60, 0, 24), (62, 24, 36), (64, 36, 100), (67, 100, 196), (72, 196, 202), (48, 202, 208)]
assert notes == expected, notes
assert not held, held
print("mido: %d notes, %d ticks, %.3f s" % (len(notes), now, f.length))
PY

echo "--- fluidsynth renders it"
sf2=/usr/share/sounds/sf2/TimGM6mb.sf2
[ -f "$sf2" ] || sf2=/usr/share/sounds/sf2/FluidR3_GM.sf2
[ -f "$sf2" ] || { echo "FAILED: no General MIDI soundfont installed" >&2; exit 1; }
render() {  # <file.mid> <out.wav>: prints "length peak rms"
  fluidsynth -ni -q -g 1.0 -F "$2" -r 44100 "$sf2" "$1" >"$work/fluidsynth.log" 2>&1 ||
    { cat "$work/fluidsynth.log" >&2; echo "FAILED: fluidsynth could not render $1" >&2; exit 1; }
  sox "$2" -n stat 2>&1 | awk '/^Length/ {l=$3} /^Maximum amplitude/ {p=$3} /^RMS +amplitude/ {r=$3}
    END {print l, p, r}'
}
read -r length peak rms < <(render "$work/song.mid" "$work/out.wav")
echo "song: length $length s, peak $peak, rms $rms"
# 208 ticks at the default 120 beats per minute and 48 ticks a beat: 2.17 s.
awk -v l="$length" -v p="$peak" -v r="$rms" 'BEGIN { exit !(l >= 2.1 && p > 0.02 && r > 0.002) }' ||
  { echo "FAILED: rendering is silent or too short" >&2; exit 1; }

# The same check on a file without notes must see silence.
"$probe" "p@2" "$work/empty.mid"
read -r length peak rms < <(render "$work/empty.mid" "$work/empty.wav")
echo "no notes: length $length s, peak $peak, rms $rms"
awk -v p="$peak" 'BEGIN { exit !(p < 0.001) }' || { echo "FAILED: a file without notes is not silent" >&2; exit 1; }
echo "midi_reader_test: ok"
