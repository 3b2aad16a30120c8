#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR); the program folder is build/program.
# BUILD_TARGETS names the targets to build (default: all of them).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
targets=()
[ -n "${BUILD_TARGETS:-}" ] && targets=(--target ${BUILD_TARGETS})
cmake --build "$build" --parallel "${BUILD_JOBS:-$(nproc)}" "${targets[@]}"
