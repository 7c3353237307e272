#!/usr/bin/env bash
# Installs what is missing, builds the program (only the program: the tests and benchmarks are
# built by scripts/test.sh and scripts/bench.sh), and starts Vorel. Arguments go to the program.
# The program runs in the office's data folder: VOREL_DATA_DIR, else ~/Vorel/TRABALHO (a working
# folder whose path holds "TRABALHO" is the data root; it is made when missing), never in the
# source tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
VOREL_BUILD_TARGETS=vorel bash "$root/scripts/build.sh" >/dev/null
data="${VOREL_DATA_DIR:-$HOME/Vorel/TRABALHO}"
mkdir -p "$data"
cd "$data"
exec "${VOREL_BUILD_DIR:-$root/build}/app/vorel" "$@"
