#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game. Extra arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFORTUNA_TESTS=OFF -DFORTUNA_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target fortuna
exec build/fortuna "$@"
