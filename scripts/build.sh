#!/usr/bin/env bash
# Configures and builds Vorel into build/ (or $VOREL_BUILD_DIR) with Ninja and ccache: every target,
# or only those named in VOREL_BUILD_TARGETS (e.g. "vorel", the program alone).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOREL_BUILD_DIR:-$root/build}
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vorel-ccache}
if [[ ! -f $build/build.ninja ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
targets=()
for t in ${VOREL_BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" "${targets[@]}" -- -k 0
