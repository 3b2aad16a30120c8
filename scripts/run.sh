#!/usr/bin/env bash
# Installs what is needed, builds, prepares the program folder and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build=${BUILD_DIR:-build}
cd "$build/program"
exec ./quorvex
