#!/usr/bin/env bash
# Real audio for the speech tests, on a machine without a sound card: PulseAudio with a null
# sink at espeak-ng's own rate (so a recording of its monitor is sample-exact), a reader of that
# monitor asking for low latency (without one the sink runs about two seconds behind), and a
# check that speech-dispatcher, started on demand with its espeak-ng module, can speak.
# Usage: scripts/start-audio.sh         start what is missing, remembering what it started
#        scripts/start-audio.sh --stop  stop what it started
set -euo pipefail
state="${XDG_RUNTIME_DIR:-/tmp}/fortuna-audio.state"
sink=fortuna_null

speechd_pid() {
  local runtime="${XDG_RUNTIME_DIR:-$HOME/.cache}"
  cat "$runtime/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null || true
}

stop() {
  [[ -f "$state" ]] || return 0
  # shellcheck disable=SC1090
  source "$state"
  if [[ -n "${reader:-}" ]]; then kill "$reader" 2>/dev/null || true; fi
  if [[ "${pulse:-}" == started ]]; then
    # The service goes first: without its sound server it can stop answering for good.
    local service
    service="$(speechd_pid)"
    if [[ -n "$service" ]]; then kill "$service" 2>/dev/null || true; fi
    pulseaudio --kill 2>/dev/null || true
  fi
  rm -f "$state"
}

if [[ "${1:-}" == "--stop" ]]; then
  stop
  exit 0
fi

stop  # whatever an interrupted run left behind
: >"$state"
if ! pactl info >/dev/null 2>&1; then
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
    --load="module-null-sink sink_name=$sink rate=22050 channels=1" \
    --load=module-native-protocol-unix 2>/dev/null
  echo "pulse=started" >>"$state"
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi
if ! pactl list short sinks | grep -q "^[0-9]*[[:space:]]$sink[[:space:]]"; then
  pactl load-module module-null-sink "sink_name=$sink" rate=22050 channels=1 >/dev/null
fi
pactl set-default-sink "$sink"
parec --latency-msec=10 -d "$sink.monitor" >/dev/null 2>&1 &
echo "reader=$!" >>"$state"

# The first text of a cold service: it must begin and end, or the tests cannot hear it.
if ! timeout 30 spd-say --wait " " >/dev/null 2>&1; then
  echo "start-audio: speech-dispatcher cannot speak on the null sink" >&2
  stop
  exit 1
fi
echo "start-audio: PulseAudio null sink $sink, its monitor read, speech-dispatcher speaking"
