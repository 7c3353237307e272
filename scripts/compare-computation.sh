#!/usr/bin/env bash
# Compares the monthly computation's results of this build with those of another revision on the
# computation benchmark's data set: every month record and every work row, to the last digit, and the
# order in which each key of both files delivers them (same-day rows included).
#   scripts/compare-computation.sh REV [ROWS]      builds bench_computation at REV (a commit) in a
#                                                  temporary folder, then compares
#   scripts/compare-computation.sh FILE [ROWS]     compares with an existing bench_computation binary
# REV must be a revision whose benchmark has VOREL_BENCH_DUMP. ROWS defaults to 200000. Exits 0 when both runs write the same results.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOREL_BUILD_DIR:-$root/build}
ref=${1:?usage: compare-computation.sh REV-or-binary [rows]}
rows=${2:-200000}
work=$(mktemp -d "${TMPDIR:-/tmp}/vorel-compare-XXXXXX")
trap 'rm -rf "$work"' EXIT
export CCACHE_NOHASHDIR=1 CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vorel-ccache}
if [[ -x $ref && ! -d $ref ]]; then
  before=$ref
else
  git -C "$root" archive "$ref" | tar -x -C "$work" --one-top-level=src
  CCACHE_BASEDIR=$work/src cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  CCACHE_BASEDIR=$work/src cmake --build "$work/build" --target bench_computation >/dev/null
  before=$work/build/bench/bench_computation
fi
CCACHE_BASEDIR=$root cmake --build "$build" --target bench_computation >/dev/null
VOREL_BENCH_COMPUTATION_ROWS=$rows VOREL_BENCH_DUMP=$work/before.txt "$before"
VOREL_BENCH_COMPUTATION_ROWS=$rows VOREL_BENCH_DUMP=$work/after.txt "$build/bench/bench_computation"
if cmp -s "$work/before.txt" "$work/after.txt"; then
  echo "same results over $rows rows: $(grep -c '^month|' "$work/after.txt") month records, $(grep -c '^work|' "$work/after.txt") work rows, $(grep -c '^work order' "$work/after.txt") work key-order lines"
else
  echo "the results differ over $rows rows (first differences):"
  diff "$work/before.txt" "$work/after.txt" | head -20
  exit 1
fi
