#!/usr/bin/env bash
# Builds Vorel with the address and undefined-behaviour sanitizers (Debug, its own build folder
# build-asan/ or $VOREL_ASAN_BUILD_DIR, ccache) and runs every test under them (headless).
# Any sanitizer report fails its test: UBSan halts on the first error, LeakSanitizer checks every
# test process at exit (tools/sanitize/lsan.supp lists the system libraries' own start-up leaks).
# Not part of CI: it takes several minutes (see README.md).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOREL_ASAN_BUILD_DIR:-$root/build-asan}
bash "$root/scripts/install-deps.sh"
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vorel-ccache}
if [[ ! -f $build/build.ninja ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVOREL_SANITIZE=ON \
        -DVOREL_BUILD_BENCH=OFF "$@" >/dev/null
fi
cmake --build "$build" -j "${VOREL_JOBS:-$(nproc)}" -- -k 0
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tools/sanitize/lsan.supp:print_suppressions=0
cd "$build"
ctest --output-on-failure -j "${VOREL_JOBS:-$(nproc)}" --timeout 900
