#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit and widget
# tests, end-to-end tests under Xvfb with a PulseAudio null sink, the same
# unit and widget tests again under AddressSanitizer and UBSan, the fuzz
# corpora, and the desktop files' validators. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc)
started=$(date +%s)

bash scripts/deps.sh --test

step() { echo; echo "=== $* ($(( $(date +%s) - started )) s)"; }

step "build (Release)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"

source scripts/test_env.sh
test_env_start
trap test_env_stop EXIT

status=0
step "tests"
(cd build && ctest --output-on-failure -j"$jobs") || status=1

step "build (AddressSanitizer + UBSan)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKO_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs" --target unit_tests widget_tests
step "tests under the sanitizers"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j"$jobs" -L 'unit|widget') || status=1

if [ -f fuzz/CMakeLists.txt ]; then
  step "fuzz corpora"
  CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKO_FUZZ=ON >/dev/null
  cmake --build build-fuzz -j"$jobs"
  bash fuzz/replay.sh "$root/build-fuzz" || status=1
fi

if [ -f resources/vesko-keyboard.desktop ]; then
  step "desktop files"
  desktop-file-validate resources/vesko-keyboard.desktop || status=1
  appstreamcli validate --no-net --explain resources/vesko-keyboard.metainfo.xml || status=1
fi

step "done, status $status"
exit $status
