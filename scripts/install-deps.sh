#!/usr/bin/env bash
# Installs every Debian package the program needs to build, run and test.
# With --bench also what the benchmarks need beyond that: a virtual X
# display for the real program's first window, and a fixed clock for it.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  libsqlite3-dev sqlite3
  libbenchmark-dev
  fonts-noto-cjk adwaita-icon-theme
  poppler-utils
)
if [ "${1:-}" = "--bench" ]; then
  packages+=(xvfb xauth faketime)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
