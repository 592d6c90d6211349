#!/usr/bin/env bash
# Runs every fuzz target once over its seed corpus; fails on any crash.
# Usage: fuzz/replay.sh <fuzz-build-dir>
set -euo pipefail
build=${1:?usage: fuzz/replay.sh <fuzz-build-dir>}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for corpus in "$here"/corpus/*/; do
  target=$(basename "$corpus")
  exe="$build/fuzz/$target"
  if [ ! -x "$exe" ]; then
    echo "missing fuzz target $exe" >&2
    status=1
    continue
  fi
  if "$exe" -runs=0 "$corpus" >"$build/fuzz/$target.replay.log" 2>&1; then
    echo "ok   $target ($(find "$corpus" -type f | wc -l) inputs)"
  else
    echo "FAIL $target (see $build/fuzz/$target.replay.log)" >&2
    tail -n 30 "$build/fuzz/$target.replay.log" >&2
    status=1
  fi
done
exit $status
