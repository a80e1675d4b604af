#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once as built for players (then its
# Debian package), once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
jobs="$(nproc)"
bash scripts/check-shape.sh
# The speech tests listen to a real sound server and speech service: started here, stopped on exit.
bash scripts/start-audio.sh
trap 'bash scripts/start-audio.sh --stop' EXIT
export FORTUNA_AUDIO_REQUIRED=1
# The braille tests run brltty (its virtual driver, on loopback): a missing brltty fails them.
export FORTUNA_BRAILLE_REQUIRED=1

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFORTUNA_TESTS=ON -DFORTUNA_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
# The window tests drive a real X server with xdotool; one retry absorbs a lost keystroke.
(cd build && ctest --output-on-failure --no-tests=error -j"$jobs" --repeat until-pass:2)
# The browser page, in headless Chromium, at a table with other pages and a protocol client.
bash scripts/test-web.sh build
# Memory must not grow over many games in one process.
build/bench/fortuna_soak 100000
# The Debian package made from this build, checked and played as players get it.
bash scripts/test-package.sh build
# fortuna.exe, cross-built, and played under wine as the Linux build plays.
bash scripts/test-windows.sh build

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DFORTUNA_SANITIZE=ON -DFORTUNA_TESTS=ON -DFORTUNA_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && ctest --output-on-failure --no-tests=error -j"$jobs" --repeat until-pass:2)

# The key-script reader, fed bytes at random for a minute.
bash scripts/fuzz.sh 60
