#!/usr/bin/env bash
# Builds everything but the benchmarks with AddressSanitizer and
# UndefinedBehaviorSanitizer into ${BUILD_DIR:-build}-asan and runs every test
# there. It is a Debug build, so that Qt's checks in its inline code (a slot
# called on an object whose destructor has run, ...) are on as well. A test
# stops at its first report, which fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}-asan"
BUILD_DIR="$build" scripts/build.sh -DCMAKE_BUILD_TYPE=Debug -DQVX_SANITIZE=ON -DQVX_BUILD_BENCH=OFF
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
