#!/usr/bin/env bash
# Takes the README's screenshot of the main window at rest under Xvfb.
#   tools/screenshot.sh [build-dir] [out.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/main-window.png}
mkdir -p "$(dirname "$out")"
source scripts/test_env.sh
test_env_start
trap test_env_stop EXIT
"$build/vesko-keyboard" >/dev/null 2>&1 &
pid=$!
sleep 2  # past the splash
import -window root -crop 786x325+50+50 +repage "$out"
kill "$pid"; wait "$pid" 2>/dev/null || true
echo "$out"
