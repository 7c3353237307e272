#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (headless: no display needed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOREL_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
