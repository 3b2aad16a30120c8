#!/usr/bin/env bash
# Installs what is needed, builds the program and its folder (no tests, no
# benchmarks) and starts the program there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
BUILD_TARGETS=program_folder scripts/build.sh
build=${BUILD_DIR:-build}
cd "$build/program"
exec ./quorvex
