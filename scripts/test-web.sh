#!/usr/bin/env bash
# The browser page's tests: headless Chromium against a table server on loopback, with axe-core
# from npm (tests/web/package-lock.json). Screenshots go to BUILD/web-artifacts.
# Usage: scripts/test-web.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"
# The machine's own Node.js brings npm; Debian's npm is the fallback where there is none.
if ! command -v npm >/dev/null; then
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends npm
fi
# npm ci only when the lock changed since the last one.
if ! cmp -s tests/web/package-lock.json tests/web/node_modules/.installed-lock.json; then
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error &&
    cp package-lock.json node_modules/.installed-lock.json)
fi
FORTUNA_BUILD="$build" /usr/bin/python3 tests/web/run_tests.py
