#!/usr/bin/env bash
# Records the golden transcripts anew from their key scripts: run it only when what players hear
# is meant to change, and read the difference before committing it.
# Usage: scripts/record-goldens.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
fortuna=${1:-build}/fortuna
for keys in tests/golden/*.keys; do
  clock=$(sed -n 's/^# clock: //p' "$keys")
  "$fortuna" --keys "$keys" --clock "$clock" --transcript "${keys%.keys}.jsonl"
done
