#!/usr/bin/env bash
# Builds the three fuzzers with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and runs
# each for a bounded time from its seeds, then once over every input that crashed before.
# A crash fails the run and leaves its input in fuzz/regressions/, to be committed there.
# Usage: scripts/fuzz.sh [seconds per fuzzer, 60 by default]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFORTUNA_FUZZ=ON \
  -DFORTUNA_TESTS=OFF -DFORTUNA_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target key_script_fuzzer game_fuzzer \
  message_fuzzer

for target in key_script game message; do
  corpus=build-fuzz/corpus-$target
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  [[ $target == key_script ]] && cp tests/golden/*.keys "$corpus"/
  regressions=(fuzz/regressions/"$target"-*)
  if [[ -e ${regressions[0]} ]]; then
    build-fuzz/"$target"_fuzzer "${regressions[@]}"
  fi
  build-fuzz/"$target"_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix=fuzz/regressions/"$target"- "$corpus" 2>&1 |
    grep -E '^(stat::|#[0-9]+.*DONE|==|SUMMARY|.*ERROR)' || true
  [[ ${PIPESTATUS[0]} -eq 0 ]] || { echo "fuzz: $target crashed; the input is in fuzz/regressions/"; exit 1; }
done
