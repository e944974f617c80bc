#!/usr/bin/env bash
# Start-up cost: time from process start to the control window's first paint, and
# resident memory then (median of 5 runs), on a virtual X display.
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
source "$(dirname "$0")/../scripts/display.sh"
trap vd_cleanup EXIT
vd_start_display
dir=$(vd_program_copy "$build_dir")
"$build_dir/bench/startup/pvstim_bench_startup" "$dir/pvstim" "${RUNS:-5}"
