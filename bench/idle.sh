#!/usr/bin/env bash
# Idle cost: CPU use of the program with only the control window shown, over 30 s
# (its two 20 ms timers running), on a virtual X display.
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
seconds=${SECONDS_IDLE:-30}
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/proc.sh"
trap e2e_cleanup EXIT
e2e_start_display
dir=$(e2e_program_copy "$build_dir")
e2e_start_program "$dir"
e2e_wait_window '^Form1$' 20 >/dev/null
sleep 2
cpu0=$(proc_cpu_ticks "$E2E_PROGRAM_PID")
sleep "$seconds"
cpu1=$(proc_cpu_ticks "$E2E_PROGRAM_PID")
echo "idle: CPU $(proc_percent "$cpu0" "$cpu1" "$seconds") % of one core over ${seconds}s," \
  "resident $(proc_rss_mib "$E2E_PROGRAM_PID") MiB"
