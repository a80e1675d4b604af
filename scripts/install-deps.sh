#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the game and the tests need and is
# missing. Run as root (or through sudo) on Debian 12.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libespeak-ng-dev libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core libutf8proc-dev
  libcli11-dev nlohmann-json3-dev libtomlplusplus-dev libtermkey-dev libreadline-dev libspeechd-dev
  gettext libfontconfig-dev librsvg2-bin libboost1.81-dev libbrlapi-dev liblouis-dev
  # The table server's journal.
  libsqlite3-dev
)
if [[ "${1:-}" == "--tests" ]]; then
  # The Windows build, cross-built and run under wine.
  packages+=(g++-mingw-w64-x86-64-posix wine wine64 unzip)
  packages+=(googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool imagemagick x11-utils
    x11-xserver-utils tmux universal-ctags git clang libclang-rt-14-dev
    libpulse-dev pulseaudio pulseaudio-utils speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
    brltty)
  # The package's checks: CPack's dependency scan, lintian, the validators, the locales.
  packages+=(dpkg-dev file lintian desktop-file-utils appstream groff-base locales)
  # The page's tests: a real browser driven by Selenium, the stand-in table server, axe-core.
  packages+=(chromium chromium-driver python3-selenium python3-websockets)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
