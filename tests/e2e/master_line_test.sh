#!/usr/bin/env bash
# The master line against a real PulseAudio server: what the line sets is what
# the server's default sink reports, what the server is set to the line reads,
# and with no server or card the line cannot be opened.
set -u
BUILD=${1:?build dir}
PROBE="$BUILD/tests/master_line_probe"
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../scripts/test_env.sh"
test_env_start
trap test_env_stop EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# "Volume: front-left: 65536 / 100% / 0.00 dB, front-right: ..." -> "65536 65536"
sink_raw() { pactl get-sink-volume testsink | sed -n '1s/[^:]*: *front-left: *\([0-9]*\) .*front-right: *\([0-9]*\) .*/\1 \2/p'; }
sink_percent() { pactl get-sink-volume testsink | sed -n '1s/[^/]*\/ *\([0-9]*\)%.*/\1/p'; }
near() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !((a - b) <= d && (b - a) <= d) }'; }

mapfile -t lines < <("$PROBE" 65535 65535 0 0 32768 32768 2>/dev/null)
[ "${#lines[@]}" -eq 3 ] || fail "probe printed ${#lines[*]:-nothing}"
expect=("65535 65535" "0 0" "32768 32768")
percent=(100 0 50)
for i in 0 1 2; do
  [ "${lines[$i]:-}" = "${expect[$i]}" ] || fail "step $i read back '${lines[$i]:-}', want '${expect[$i]}'"
done
# The probe ran to its end, so the sink holds the last step; replay each step to check the server.
for i in 0 1 2; do
  v=${expect[$i]%% *}
  "$PROBE" "$v" "$v" >/dev/null 2>&1
  p=$(sink_percent)
  [ "$p" = "${percent[$i]}" ] || fail "after $v the sink is at ${p:-?}%, want ${percent[$i]}% ($(sink_raw))"
done
# 65535 is the server's full 100 % and 0 is its silence, not a step off.
"$PROBE" 65535 65535 >/dev/null 2>&1
[ "$(sink_raw)" = "65536 65536" ] || fail "full volume gives sink raw '$(sink_raw)'"

# Left and right apart.
out=$("$PROBE" 65535 0 2>/dev/null)
[ "$out" = "65535 0" ] || fail "left/right apart read back '$out'"
[ "$(sink_raw)" = "65536 0" ] || fail "left/right apart gives sink raw '$(sink_raw)'"

# A change made outside reads back on the line.
pactl set-sink-volume testsink 30%
read -r l r < <("$PROBE" get 2>/dev/null)
want=$(awk 'BEGIN { printf "%d", 0.3 * 65535 }')
if ! near "${l:-x}" "$want" 2 || ! near "${r:-x}" "$want" 2; then
  fail "after pactl 30% the line reads '${l:-} ${r:-}', want about $want"
fi

# No server behind "default": the pulse plugin cannot connect.
out=$(PULSE_SERVER="unix:$TEST_ENV_DIR/no-such.sock" "$PROBE" get 2>/dev/null)
[ "$out" = "unavailable" ] || fail "without a server the probe printed '$out'"
# No server and the stock configuration, whose default is a card this machine lacks.
out=$(env -u ALSA_CONFIG_PATH PULSE_SERVER="unix:$TEST_ENV_DIR/no-such.sock" "$PROBE" get 2>/dev/null)
if [ -e /dev/snd/controlC0 ]; then
  echo "note: a sound card is present, the no-card case is not shown here"
else
  [ "$out" = "unavailable" ] || fail "without a card the probe printed '$out'"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "master line: all checks passed"
