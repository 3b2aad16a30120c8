#!/usr/bin/env bash
# Runs every benchmark program once, one after the other, on a virtual X
# display (scripts/install-deps.sh --bench installs it), and keeps what each
# printed in $BUILD_DIR/bench-run/<program>.txt. Extra arguments go to every
# program (Google Benchmark's flags).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out="$build/bench-run"
mkdir -p "$out"
for program in bench_db bench_model bench_slips bench_mainwindow bench_report bench_invoice bench_lists bench_bulk; do
  echo "== $program $(date -u +%H:%M:%S) load $(cut -d' ' -f1-3 /proc/loadavg)" | tee "$out/$program.txt"
  xvfb-run -a "$build/bench/$program" --benchmark_color=false "$@" 2>&1 | tee -a "$out/$program.txt"
done
