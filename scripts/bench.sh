#!/usr/bin/env bash
# Installs what is missing, builds, and runs every benchmark under bench/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOREL_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" >/dev/null
for b in "$build"/bench/bench_*; do
  [[ -x $b ]] || continue
  echo "== $(basename "$b")"
  "$b" "$@"
done
