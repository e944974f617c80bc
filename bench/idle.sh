#!/usr/bin/env bash
# Idle cost: CPU use of the program with only the control window shown, over 30 s
# (its two 20 ms timers running), on a virtual X display.
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
seconds=${SECONDS_IDLE:-30}
source "$(dirname "$0")/../scripts/display.sh"
source "$(dirname "$0")/proc.sh"
trap vd_cleanup EXIT
vd_start_display
dir=$(vd_program_copy "$build_dir")
vd_start_program "$dir"
vd_wait_window '^control$' >/dev/null
sleep 2
cpu0=$(proc_cpu_ticks "$VD_PROGRAM_PID")
sleep "$seconds"
cpu1=$(proc_cpu_ticks "$VD_PROGRAM_PID")
percent=$(proc_percent "$cpu0" "$cpu1" "$seconds")
echo "idle: CPU $percent % of one core over ${seconds}s, resident $(proc_rss_mib "$VD_PROGRAM_PID") MiB"
met=$(awk -v p="$percent" 'BEGIN {print (p <= 0.5) ? "met" : "MISSED"}')
printf '%-52s %-22s %-22s %s\n' "idle, control window only, ${seconds} s" "$percent % of a core" "<= 0.5 %" "$met"
