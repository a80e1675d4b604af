#!/usr/bin/env bash
# What `fortuna simular` costs: games per second per thread with one thread and with two, the
# best of a few rounds each (the rounds least disturbed by the rest of the machine), next to the
# draw floor that `fortuna bench` prints in the same run. The processor time of the best rounds
# tells apart a busy machine from threads that hold each other up.
# Usage: simulate-speed.sh [GAMES] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
games="${1:-100000}"
rounds="${2:-3}"
program=build/fortuna
[[ -x $program ]] || { echo "simulate-speed: build $program first"; exit 1; }

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$program" bench | grep -E '^(floor|rules alone) '

# Prints "wall user" seconds of the round with the least wall time.
best_round() {
  local threads=$1 best="" round_time
  local TIMEFORMAT='%R %U'
  for ((round = 0; round < rounds; round++)); do
    round_time=$({ time "$program" simular --partidas "$games" --hilos "$threads" --json >/dev/null; } 2>&1)
    if [[ -z $best ]] || awk -v a="${round_time% *}" -v b="${best% *}" 'BEGIN { exit !(a < b) }'; then
      best=$round_time
    fi
  done
  echo "$best"
}

report() {
  awk -v games="$games" -v threads="$1" -v wall="${2% *}" -v user="${2#* }" 'BEGIN {
    printf "simular %d games, %d thread(s): %.2f s, %.0f games per second per thread, %.1f us of processor a game\n",
           games, threads, wall, games / wall / threads, 1e6 * user / games }'
}

one=$(best_round 1)
two=$(best_round 2)
report 1 "$one"
report 2 "$two"
awk -v one="${one% *}" -v two="${two% *}" 'BEGIN { printf "two threads against one: %.2fx\n", one / two }'
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
