#!/usr/bin/env bash
# Builds Vorel with sanitizers (Debug, its own build folder, ccache) and runs the tests under them,
# headless. Any sanitizer report fails its test.
#   scripts/test-sanitized.sh          address + undefined behaviour, every test (build-asan/)
#   scripts/test-sanitized.sh thread   threads: the ui, data, qt, report and shell tests (build-tsan/)
# UBSan halts on the first error; LeakSanitizer checks every test process at exit. A report ends
# the process with exit code 86 (66 for threads), so that a report in a program a test starts is
# not taken for that program's own failure code. The files in tools/sanitize/ list the system
# libraries' own reports (never ours). $VOREL_JOBS limits the jobs.
# Not part of CI: it takes several minutes (see README.md).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-address}
jobs=${VOREL_JOBS:-$(nproc)}
bash "$root/scripts/install-deps.sh"
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vorel-ccache}
export QT_QPA_PLATFORM=offscreen
case $mode in
  address)
    build=${VOREL_ASAN_BUILD_DIR:-$root/build-asan}
    option=VOREL_SANITIZE
    targets=()
    labels=()
    export ASAN_OPTIONS=exitcode=86:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
    export UBSAN_OPTIONS=exitcode=86:print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=exitcode=86:suppressions=$root/tools/sanitize/lsan.supp:print_suppressions=0
    ;;
  thread)
    build=${VOREL_TSAN_BUILD_DIR:-$root/build-tsan}
    option=VOREL_SANITIZE_THREAD
    suites=(ui_tests data_tests qt_tests report_tests shell_tests shell_qt_tests qt_frame_tests shell_app_tests)
    targets=(--target "${suites[@]}" vorel)
    labels=(-L "^($(IFS='|'; echo "${suites[*]}"))\$")
    export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tools/sanitize/tsan.supp
    ;;
  *)
    echo "usage: $0 [address|thread]" >&2
    exit 2
    ;;
esac
if [[ ! -f $build/build.ninja ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -D$option=ON \
        -DVOREL_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j "$jobs" "${targets[@]}" -- -k 0
cd "$build"
ctest --output-on-failure -j "$jobs" --timeout 900 "${labels[@]}"
