#!/usr/bin/env bash
# The terminal front end inside tmux: the time from reading a key's bytes to having written
# the first text line it makes the game say (median and 99th percentile over a scripted
# session), then the time from a signal to the end of the run, terminal given back.
# Usage: scripts/terminal-latency.sh [build-dir] [rounds] [signal-runs]
set -euo pipefail
build=${1:-build}
rounds=${2:-40}
signal_runs=${3:-10}
fortuna=$(realpath "$build/fortuna")
work=$(mktemp -d)
socket="$work/socket"
printf 'set -g default-terminal tmux-256color\nset -s extended-keys on\n' > "$work/tmux.conf"
tmux_() { tmux -S "$socket" -f "$work/tmux.conf" "$@"; }
trap 'tmux_ kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

summarise() {
  sort -g | awk -v what="$1" '
    { v[NR] = $1 }
    END {
      if (NR == 0) { print what ": no samples"; exit 1 }
      median = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      rank = int(0.99 * NR); if (rank < 0.99 * NR) rank++
      printf "%s: %d samples, median %.1f us, 99th percentile %.1f us, worst %.1f us\n",
             what, NR, median, v[rank], v[NR]
    }'
}

# Starts the game in a fresh pane; the shell notes its exit status and the settings after.
start() {
  tmux_ kill-server 2>/dev/null || true
  rm -f "$work/status" "$work/before" "$work/after" "$work/transcript.jsonl"
  tmux_ new-session -d -x 120 -y 40 -c "$work" "bash -c 'trap : INT; stty -g > before; \
    env -u DISPLAY -u WAYLAND_DISPLAY FORTUNA_KEY_TIMING=$work/timing.txt $fortuna \
    --frontend terminal --clock 10:20:30 --transcript transcript.jsonl >/dev/null; \
    echo \$? > status.tmp; stty -g > after; mv status.tmp status'"
  for _ in $(seq 500); do [ -s "$work/transcript.jsonl" ] && return; sleep 0.01; done
  echo "the game did not start" >&2; exit 1
}
wait_end() { for _ in $(seq 1000); do [ -e "$work/status" ] && return; sleep 0.01; done; }
# One key a read, as a person types.
press() { for key in "$@"; do tmux_ send-keys "$key"; sleep 0.02; done; }

start
press Right Right Down Left Up Space Space F7 F8 S-F8 F9 F10 Tab Enter
for _ in $(seq "$rounds"); do
  # All characters are the computer's: Space walks the day; 1 starts again after the end.
  press Space Space Space h F5 F6 Space 1 F5 Tab h Space M-1
done
press Escape
wait_end
summarise "key byte to text line" < "$work/timing.txt"

# Signal to the end of the run: the program's pid is the pane shell's child.
for signal in TERM HUP INT; do
  for _ in $(seq "$signal_runs"); do
    start
    press Enter Space
    shell=$(tmux_ display -p '#{pane_pid}')
    pid=$(cat "/proc/$shell/task/$shell/children")
    pid=${pid%% *}
    # Sends the signal (SIGINT as Control+C typed into the pane) and waits for the process to
    # end; prints the microseconds between.
    python3 - "$pid" "$signal" "$socket" "$work/tmux.conf" <<'PY'
import os, signal, subprocess, sys, time
pid, name, socket, conf = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
started = time.monotonic()
if name == "INT":
    subprocess.run(["tmux", "-S", socket, "-f", conf, "send-keys", "C-c"], check=True)
else:
    os.kill(pid, getattr(signal, "SIG" + name))
while True:
    try:
        with open(f"/proc/{pid}/stat") as stat:
            if stat.read().split()[2] == "Z":
                break
    except OSError:  # gone already
        break
print(round((time.monotonic() - started) * 1e6))
PY
    wait_end
    expected=$((128 + $(kill -l "$signal")))
    [ "$(cat "$work/status")" = "$expected" ] || { echo "SIG$signal: exit status $(cat "$work/status")" >&2; exit 1; }
    cmp -s "$work/before" "$work/after" || { echo "SIG$signal: terminal settings not restored" >&2; exit 1; }
  done | summarise "SIG$signal to the end of the run (exit status $((128 + $(kill -l "$signal"))))"
done
