#!/usr/bin/env bash
# Idle cost: CPU use and wake-ups a second of the program with only the control
# window shown and the pointer resting in the screen's middle, over 30 s, on a
# virtual X display.
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
xdotool mousemove 512 384
sleep 2
cpu0=$(proc_cpu_ticks "$VD_PROGRAM_PID")
wake0=$(proc_wakeups "$VD_PROGRAM_PID")
sleep "$seconds"
wake1=$(proc_wakeups "$VD_PROGRAM_PID")
cpu1=$(proc_cpu_ticks "$VD_PROGRAM_PID")
percent=$(proc_percent "$cpu0" "$cpu1" "$seconds")
wakeups=$(proc_rate "$wake0" "$wake1" "$seconds")
echo "idle: CPU $percent % of one core, $wakeups wake-ups a second over ${seconds}s, resident $(proc_rss_mib "$VD_PROGRAM_PID") MiB"
met=$(awk -v p="$percent" 'BEGIN {print (p <= 0.1) ? "met" : "MISSED"}')
printf '%-52s %-22s %-22s %s\n' "idle CPU, control window only, ${seconds} s" "$percent % of a core" "<= 0.1 %" "$met"
met=$(awk -v w="$wakeups" 'BEGIN {print (w <= 2) ? "met" : "MISSED"}')
printf '%-52s %-22s %-22s %s\n' "idle wake-ups, control window only, ${seconds} s" "$wakeups a second" "<= 2 a second" "$met"
