#!/usr/bin/env bash
# The Windows build: cross-builds fortuna.exe and the Windows test program with mingw-w64 in
# build-windows/, runs them under wine, and packs the zip players unpack.
# Under wine: the core's tests; every golden key script gives its transcript byte for byte; the
# bench prints the pinned signature (its speed next to the Linux build's, when there is one);
# SAPI, which wine does not implement, comes up as "no voice" with its one line and the text
# engine; file names and arguments in UTF-8.
# Usage: scripts/test-windows.sh [linux-build-dir]   (after scripts/install-deps.sh --tests)
set -euo pipefail
cd "$(dirname "$0")/.."
linux_build=${1:-build}
out=build-windows

cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -Wno-dev >/dev/null
cmake --build "$out" -j"$(nproc)" --target fortuna fortuna_tests

# A throwaway wine prefix, no display, no debug chatter; UTF-8 arguments reach the program.
WINEPREFIX=$(mktemp -d /tmp/fortuna-wine.XXXXXX)
export WINEPREFIX WINEDEBUG=-all LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
scratch=$(mktemp -d /tmp/fortuna-windows.XXXXXX)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$scratch"' EXIT
wineboot --init >/dev/null 2>&1 || true
exe=$out/fortuna.exe
passed=0
failed=0
check() {  # check NAME COMMAND...: runs it, counts it, says which failed
  if "${@:2}"; then
    passed=$((passed + 1))
  else
    echo "test-windows: FAILED: $1"
    failed=$((failed + 1))
  fi
}

check "the core's tests under wine" wine "$out/fortuna_tests.exe" --gtest_brief=1

golden() {
  local keys=$1 transcript=$2
  local clock
  clock=$(sed -n 's/^# clock: //p' "$keys")
  wine "$exe" --frontend headless --keys "$keys" --clock "$clock" --transcript "$transcript" &&
    cmp "$transcript" "${3:-${keys%.keys}.jsonl}"
}
for keys in tests/golden/*.keys; do
  check "golden $(basename "$keys")" golden "$keys" "$scratch/transcript.jsonl"
done
# Names beyond ASCII, whatever the code page: the key script and the transcript both.
cp tests/golden/start_screen.keys "$scratch/teclas del señor Ñandú.keys"
check "UTF-8 file names" golden "$scratch/teclas del señor Ñandú.keys" \
  "$scratch/transcripción ñ.jsonl" tests/golden/start_screen.jsonl

bench_signature() {
  wine "$exe" bench >"$scratch/bench.txt" &&
    grep -qx "signature $(cat bench/signature.txt)" "$scratch/bench.txt"
}
check "bench signature" bench_signature
windows_speed=$(sed -n 's/^games per second //p' "$scratch/bench.txt")
if [[ -x $linux_build/fortuna ]]; then
  linux_speed=$("$linux_build/fortuna" bench | sed -n 's/^games per second //p')
  echo "test-windows: bench games per second: Linux ${linux_speed}, fortuna.exe under wine ${windows_speed}"
else
  echo "test-windows: bench games per second: fortuna.exe under wine ${windows_speed}"
fi

# The simulation's figures, threads and number formatting as on Linux (its speed aside).
same_simulation() {
  wine "$exe" simular --partidas 20000 --semilla 7 | grep -v '^Tiempo' >"$scratch/simulate.txt" &&
    "$linux_build/fortuna" simular --partidas 20000 --semilla 7 | grep -v '^Tiempo' |
    cmp - "$scratch/simulate.txt"
}
if [[ -x $linux_build/fortuna ]]; then check "the simulation as on Linux" same_simulation; fi

# wine's SAPI answers "not implemented": no voice, said in one line, and the text engine speaks.
no_voice() {  # no_voice EXPECTED-TAIL COMMAND...
  "${@:2}" <<<"Escape" >"$scratch/out.txt" 2>"$scratch/err.txt" || return 1
  local line='^fortuna: No hay voces avanzadas \(SAPI5\) instaladas \(SAPI [A-Za-z]+: 0x[0-9A-F]{8}\); '
  [[ $(wc -l <"$scratch/err.txt") -eq 1 ]] && grep -Eq "$line$1\$" "$scratch/err.txt" &&
    [[ -s $scratch/out.txt ]] || { cat "$scratch/err.txt"; return 1; }
}
check "--speech sapi under wine: no voice, text" \
  no_voice "en su lugar habla texto" wine "$exe" --frontend headless --speech sapi
check "greeting spoken as text" grep -q "^la fortuna de " "$scratch/out.txt"
check "the default engine lists as text" no_voice "en su lugar habla texto" wine "$exe" --list-voices
check "the voice list" grep -qx "0	Texto" "$scratch/out.txt"
check "English when the locale asks" \
  no_voice "speaking through text instead" env LC_ALL=en_US.UTF-8 wine "$exe" --frontend headless --speech sapi

# The window, on a virtual display: F10 and Alt+F4 reach the game, Control alone is a key, and
# the rename box is a dialog whose edit control takes UTF-8 typing and echoes it.
window_keys() {
  local display window
  # Xvfb picks a free display and writes its number once it is ready.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$scratch/display" >/dev/null 2>&1 &
  local xvfb=$!
  for _ in $(seq 100); do [[ -s $scratch/display ]] && break; sleep 0.1; done
  display=:$(cat "$scratch/display")
  # wine's desktop, started by the console runs without a display, would refuse windows.
  wineserver -k 2>/dev/null || true
  DISPLAY=$display timeout 120 wine "$exe" --frontend window --speech text --no-settings \
    --clock 10:20:30 --transcript "$scratch/window.jsonl" >"$scratch/window.txt" 2>/dev/null &
  local game=$!
  window=$(DISPLAY=$display timeout 60 xdotool search --sync --name "La fortuna de Zivi Brunilda" | head -1)
  sleep 2
  for keys in Down F10 F2; do DISPLAY=$display xdotool key --window "$window" "$keys" 2>/dev/null; sleep 0.5; done
  sleep 1
  # One letter at a time, each once the box has echoed the one before: xdotool types a letter
  # the keymap lacks by mapping it for a moment, and wine under load may read the key before the
  # new map; a letter with no echo in three seconds was lost that way and is typed again.
  local letter lines
  for letter in Ñ a n d ú; do
    for _ in 1 2 3; do
      lines=$(wc -l <"$scratch/window.txt")
      DISPLAY=$display xdotool type "$letter" 2>/dev/null
      for _ in $(seq 30); do (($(wc -l <"$scratch/window.txt") > lines)) && break; sleep 0.1; done
      (($(wc -l <"$scratch/window.txt") > lines)) && break
    done
  done
  DISPLAY=$display xdotool key Return 2>/dev/null
  sleep 1
  DISPLAY=$display xdotool windowactivate --sync "$window" 2>/dev/null || true
  for keys in ctrl alt+F4; do DISPLAY=$display xdotool key --window "$window" "$keys" 2>/dev/null; sleep 0.5; done
  wait "$game"
  local code=$?
  kill "$xvfb"
  ((code == 0)) && grep -o '"key":"[^"]*"\|"default":"[^"]*"\|"text":"ñandú[^"]*"' \
    "$scratch/window.jsonl" | tr '\n' ' ' | grep -qx '"key":"Down" "key":"F10" "key":"F2" "default":"Sir Reginald, el apenado marido" "text":"ñandúNo seleccionado" "key":"Ctrl+Control" "key":"Alt+F4" ' || {
    cat "$scratch/window.jsonl" "$scratch/window.txt"
    return 1
  }
  # Without a screen reader (wine has none) the box says each letter typed itself.
  tr '\n' ' ' <"$scratch/window.txt" | grep -q " ñ a n d ú ñandú"
}
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  check "the window's keys and rename box" window_keys
fi

# The zip: the program, how to play in Spanish, the licence. Windows' Notepad wants CR LF.
package=fortuna-$(sed -n 's/^project(fortuna VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-windows
rm -rf "${out:?}/$package" "$out/$package.zip"
mkdir -p "$out/$package"
cp "$exe" "$out/$package/"
sed 's/$/\r/' packaging/windows/LEEME.txt >"$out/$package/LEEME.txt"
sed 's/$/\r/' COPYING >"$out/$package/COPYING.txt"
(cd "$out" && cmake -E tar cf "$package.zip" --format=zip "$package")
zip_holds() {
  [[ $(unzip -Z1 "$out/$package.zip" | sort | tr '\n' ' ') == \
    "$package/ $package/COPYING.txt $package/LEEME.txt $package/fortuna.exe " ]]
}
check "the zip holds the exe, LEEME.txt and COPYING.txt" zip_holds
echo "test-windows: fortuna.exe $(stat -c %s "$exe") bytes; $package.zip $(stat -c %s "$out/$package.zip") bytes"
echo "test-windows: $passed passed, $failed failed"
((failed == 0))
