#!/usr/bin/env bash
# Installs every Debian package the program needs to build, run and test.
# With --bench also what the benchmarks need beyond that: a virtual X
# display for the real program's first window, and a fixed clock for it.
# With --test also LibreOffice Calc without its desktop front end, which a
# test uses to read the exported CSV files back, and a virtual X display with
# a window manager and the XTEST client library, on which a test presses
# keys through the X server.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev libxcb1-dev
  libsqlite3-dev sqlite3
  libbenchmark-dev
  fonts-noto-cjk adwaita-icon-theme
  poppler-utils
  qt6-translations-l10n
)
case "${1:-}" in
  --bench) packages+=(xvfb xauth faketime) ;;
  --test) packages+=(libreoffice-calc-nogui xvfb xauth openbox libxtst6) ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
  # The downloaded packages are not needed once installed.
  apt-get clean
fi
