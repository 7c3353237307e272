#!/usr/bin/env bash
# Configures and builds Vorel into build/ (or $VOREL_BUILD_DIR) with Ninja and ccache.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOREL_BUILD_DIR:-$root/build}
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vorel-ccache}
if [[ ! -f $build/build.ninja ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$build" -- -k 0
