#!/usr/bin/env bash
# The built-in synthesizer is heard: under a private PulseAudio with a null
# sink, the probe plays note 60 through device 0 while parec records the
# sink's monitor; the recording must hold a loud part after a quiet start.
# Without any audio output, device 0 must refuse to open.
set -u
BUILD=${1:?usage: synth_sound_test.sh BUILD_DIR}
HERE=$(cd "$(dirname "$0")" && pwd)
PROBE="$BUILD/tests/synth_sound_probe"
[ -x "$PROBE" ] || { echo "FAIL: $PROBE not built"; exit 1; }

source "$HERE/../../scripts/test_env.sh"
test_env_start
PAREC_PID=
cleanup() {
  [ -n "$PAREC_PID" ] && kill -INT "$PAREC_PID" 2>/dev/null && wait "$PAREC_PID" 2>/dev/null
  test_env_stop
}
trap cleanup EXIT

CAP="$TEST_ENV_DIR/cap.raw"
parec -d testsink.monitor --latency-msec=20 --raw --format=s16le --rate=48000 --channels=2 >"$CAP" &
PAREC_PID=$!
sleep 0.3

"$PROBE"
rc=$?
if [ $rc -eq 77 ]; then echo "SKIP: no General MIDI SoundFont installed"; exit 0; fi
[ $rc -eq 0 ] || { echo "FAIL: the probe could not play (exit $rc)"; exit 1; }

kill -INT "$PAREC_PID"
wait "$PAREC_PID" 2>/dev/null
PAREC_PID=

python3 - "$CAP" <<'PY' || exit 1
import array, math, sys
data = array.array("h")
with open(sys.argv[1], "rb") as f:
    raw = f.read()
data.frombytes(raw[: len(raw) // 4 * 4])
frames = len(data) // 2
win = 2400  # 50 ms
levels = []
for start in range(0, frames - win + 1, win):
    chunk = data[2 * start : 2 * (start + win)]
    levels.append(math.sqrt(sum(v * v for v in chunk) / len(chunk)) / 32768.0)
if not levels:
    print("FAIL: nothing was captured"); sys.exit(1)
loud = [i for i, v in enumerate(levels) if v > 0.01]
print("captured %.2f s, loudest 50 ms RMS %.4f, %d loud windows" % (frames / 48000, max(levels), len(loud)))
if not loud:
    print("FAIL: the note did not come out of the sink"); sys.exit(1)
if max(levels[: loud[0]] or [0]) > 0.001:
    print("FAIL: the capture was not quiet before the note"); sys.exit(1)
# Gaps of digital silence inside the note are buffer underruns.
first, last = loud[0] * win, (loud[-1] + 1) * win
gaps, run = 0, 0
for i in range(first, last):
    if data[2 * i] == 0 and data[2 * i + 1] == 0:
        run += 1
    else:
        if run >= 32: gaps += 1
        run = 0
print("silent gaps inside the note: %d" % gaps)
PY

# No server and (in this environment) no card: the synthesizer must say so.
PULSE_SERVER="unix:$TEST_ENV_DIR/nowhere.sock" "$PROBE" --no-audio \
  || { echo "FAIL: device 0 opened with no audio output"; exit 1; }
echo "PASS"
