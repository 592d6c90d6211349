#!/usr/bin/env bash
# Installs what is missing, builds the keyboard into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target vesko-keyboard
exec build/vesko-keyboard
