#!/usr/bin/env bash
# Key-down to speech inside the window front end: plays a scripted session in a private
# X server and prints the median and 99th percentile of the time from each key event entering
# SDL's queue to the first text given to the speech engine for it.
# Usage: scripts/window-latency.sh [build-dir] [rounds]
set -euo pipefail
build=${1:-build}
rounds=${2:-40}
fortuna=$(realpath "$build/fortuna")
work=$(mktemp -d)
trap 'kill "$xvfb_pid" "$game_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 5>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")" SDL_AUDIODRIVER=dummy

FORTUNA_KEY_TIMING="$work/timing.txt" "$fortuna" --frontend window --speech none \
  --clock 10:20:30 >/dev/null 2>&1 &
game_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --class fortuna | head -1)
xdotool windowfocus --sync "$window"

press() { xdotool key --delay 25 "$@"; }
press Right Right Down Left Up space space F7 F8 shift+F8 F9 F10 Return
for _ in $(seq "$rounds"); do
  # All characters are the computer's: Space walks the day; 1 starts again after the end.
  press space space space H F5 F6 space 1 F5 Control_L H space
done
press Escape
wait "$game_pid" || true

sort -g "$work/timing.txt" | awk '
  { v[NR] = $1 }
  END {
    if (NR == 0) { print "no samples"; exit 1 }
    median = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    rank = int(0.99 * NR); if (rank < 0.99 * NR) rank++
    printf "keys timed: %d\nmedian: %.1f us\n99th percentile: %.1f us\nworst: %.1f us\n",
           NR, median, v[rank], v[NR]
  }'
