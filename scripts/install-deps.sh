#!/usr/bin/env bash
# Installs the Debian packages Vorel needs to build, test and run. Quiet, non-interactive and
# idempotent: only what is missing is installed, so a machine that has everything pays ~0.2 s.
set -euo pipefail

packages=(
  qt6-base-dev libsqlite3-dev libzip-dev zipcmp zipmerge ziptool libcurl4-openssl-dev
  libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev cmake ninja-build g++ ccache
  xvfb xauth fonts-dejavu-core fonts-liberation2 poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq >/dev/null
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
