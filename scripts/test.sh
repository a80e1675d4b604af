#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once as built for players, once more
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
jobs="$(nproc)"
# The speech tests listen to a real sound server and speech service: started here, stopped on exit.
bash scripts/start-audio.sh
trap 'bash scripts/start-audio.sh --stop' EXIT
export FORTUNA_AUDIO_REQUIRED=1

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFORTUNA_TESTS=ON -DFORTUNA_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
# The window tests drive a real X server with xdotool; one retry absorbs a lost keystroke.
(cd build && ctest --output-on-failure --no-tests=error -j"$jobs" --repeat until-pass:2)

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DFORTUNA_SANITIZE=ON -DFORTUNA_TESTS=ON -DFORTUNA_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && ctest --output-on-failure --no-tests=error -j"$jobs" --repeat until-pass:2)
