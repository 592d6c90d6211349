#!/usr/bin/env bash
# Builds the benchmarks, runs each under the test environment (Xvfb and a
# PulseAudio null sink) and prints every figure in one table.
#   bench/run.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
source scripts/test_env.sh
test_env_start
trap test_env_stop EXIT

rows=$(mktemp)
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  "$b" 2>/dev/null | grep '^FIGURE' >>"$rows" || echo "FIGURE	$(basename "$b") failed	-	-	-" >>"$rows"
done
[ -x bench/peer.sh ] && bash bench/peer.sh "$build" 2>/dev/null | grep '^FIGURE' >>"$rows" || true

echo "Machine: $(uname -srm), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(date -u +%Y-%m-%d)"
echo
echo "| figure | value | unit | goal |"
echo "|---|---|---|---|"
cut -f2- "$rows" | awk -F'\t' '{printf "| %s | %s | %s | %s |\n", $1, $2, $3, $4}'
rm -f "$rows"
