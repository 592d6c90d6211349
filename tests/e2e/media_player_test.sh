#!/usr/bin/env bash
# The MIDI-file player through the real audio output on a PulseAudio null
# sink: it plays in real time and its position meets its length at the end;
# without any audio output it refuses to open.
set -u
BUILD=${1:?build dir}
PROBE="$BUILD/tests/media_player_probe"
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../scripts/test_env.sh"
test_env_start
trap test_env_stop EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Two tracks, division 480: 1 s at 120 bpm, then 1 s at 60 bpm; one long note.
song="$TEST_ENV_DIR/song.mid"
printf 'MThd\0\0\0\6\0\1\0\2\1\340' >"$song"
printf 'MTrk\0\0\0\24\0\377\121\3\7\241\40\207\100\377\121\3\17\102\100\203\140\377\57\0' >>"$song"
printf 'MTrk\0\0\0\20\0\300\0\0\220\74\177\213\40\200\74\0\0\377\57\0' >>"$song"

# A fresh null sink takes a moment before it pulls audio at its real rate.
paplay --raw --rate=44100 --channels=2 </dev/zero >/dev/null 2>&1 &
warm=$!
sleep 0.5
kill "$warm" 2>/dev/null
wait "$warm" 2>/dev/null

# Long enough for the end to come also when a busy machine slows the sink.
out=$("$PROBE" "$song" 7000 2>/dev/null)
[ "$(echo "$out" | head -1)" = "length 2000" ] || fail "first line '$(echo "$out" | head -1)', want 'length 2000'"
# Positions never go back, move on in real time, and end exactly at the length.
echo "$out" | tail -n +2 | awk '
  { t[NR] = $1; p[NR] = $2 }
  END {
    bad = 0
    for (i = 2; i <= NR; i++) if (p[i] < p[i - 1]) { print "FAIL: position went back at " t[i] " ms"; bad = 1 }
    if (p[NR] != 2000) { print "FAIL: last position " p[NR] ", want 2000"; bad = 1 }
    first = 0; last = 0
    for (i = 1; i <= NR; i++) { if (p[i] > 0 && p[i] < 2000) { if (!first) first = i; last = i } }
    if (!first || last - first < 5) { print "FAIL: too few positions between start and end"; bad = 1 }
    else {
      rate = (p[last] - p[first]) / (t[last] - t[first])
      # The null sink keeps its own clock, which a loaded machine slows.
      if (rate < 0.6 || rate > 1.4) { print "FAIL: the song ran at " rate " times real time"; bad = 1 }
    }
    exit bad
  }' || fail "positions: $(echo "$out" | tail -n +2 | tr '\n' ' ')"

printf 'not a midi file' >"$TEST_ENV_DIR/junk.mid"
out=$("$PROBE" "$TEST_ENV_DIR/junk.mid" 200 2>/dev/null)
case "$out" in refused:*) ;; *) fail "junk file gave '$out'" ;; esac

# No server behind either driver.
out=$(PULSE_SERVER="unix:$TEST_ENV_DIR/no-such.sock" "$PROBE" "$song" 200 2>/dev/null)
case "$out" in "refused: no audio output"*) ;; *) fail "without a server the probe printed '$out'" ;; esac

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "media player: all checks passed"
