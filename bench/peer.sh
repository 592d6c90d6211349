#!/usr/bin/env bash
# Start-up time (until the window shows) and resident memory of the keyboard,
# side by side with Debian's vmpk virtual keyboard in its default settings,
# under the same X server and PulseAudio. Expects the test environment to be
# running (bench/run.sh starts it). Prints FIGURE rows; medians of 5 starts.
#   bench/peer.sh [build-dir]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=5

if ! command -v vmpk >/dev/null; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends vmpk >/dev/null 2>&1 || true
fi

# Prints "<ms until a window shows> <RSS kB two seconds later>" for one start.
measure() {
  local start pid ms="" rss
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 400); do
    if [ -n "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)" ]; then
      ms=$(( ($(date +%s%N) - start) / 1000000 ))
      break
    fi
    sleep 0.005
  done
  sleep 2
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null)
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  echo "${ms:-NA} ${rss:-NA}"
}

median() { sort -n | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "NA"}'; }

report() {
  local label=$1; shift
  local times=() rsss=() line
  for _ in $(seq 1 $runs); do
    line=$(measure "$@")
    times+=("${line% *}"); rsss+=("${line#* }")
  done
  T=$(printf '%s\n' "${times[@]}" | grep -v NA | median)
  R=$(printf '%s\n' "${rsss[@]}" | grep -v NA | median)
  printf 'FIGURE\t%s: start to window shown (median of %d)\t%s\tms\t%s\n' "$label" $runs "$T" "${GOAL:-}"
  printf 'FIGURE\t%s: resident memory 2 s after start\t%s\tMB\t\n' "$label" "$(awk -v k="$R" 'BEGIN{printf "%.1f", k/1024}')"
}

GOAL="< 400 ms" report "vesko-keyboard" "$build/vesko-keyboard"
ours_t=$T; ours_r=$R
if command -v vmpk >/dev/null; then
  GOAL="" report "vmpk (peer)" vmpk
  awk -v a="$ours_t" -v b="$T" 'BEGIN{ if (b>0) printf "FIGURE\tstart-up time, ours / vmpk\t%.2f\tratio\t\n", a/b }'
  awk -v a="$ours_r" -v b="$R" 'BEGIN{ if (b>0) printf "FIGURE\tresident memory, ours / vmpk\t%.2f\tratio\t\n", a/b }'
fi
