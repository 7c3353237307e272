#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vorel. Arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" >/dev/null
exec "${VOREL_BUILD_DIR:-$root/build}/app/vorel" "$@"
