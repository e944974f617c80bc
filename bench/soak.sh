#!/usr/bin/env bash
# Soak: a 10-minute run of the real program in real time on a virtual display, with
# the pointer moving over the mini bar and into the clock's hot corner. Prints the
# resident memory at the start and the end of the run and the CPU use during it.
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/proc.sh"
trap vd_cleanup EXIT
vd_start_display
dir=$(vd_program_copy "$build_dir")
# A run of 10 minutes with both picture kinds on, a rhythm by hand at 13 Hz.
vd_start_program "$dir"
id=$(vd_wait_window '^control$')
read -r wx wy _ _ <<<"$(e2e_geometry "$id")"
xdotool mousemove $((wx + 60)) $((wy + 69)) click 1      # "Manual"
sleep 0.3
xdotool mousemove $((wx + 60)) $((wy + 123)) click 1     # "Низкий Бета", 13 Hz
sleep 0.3
xdotool mousemove $((wx + 220)) $((wy + 269)) click 1 key --clearmodifiers ctrl+a type "10"
sleep 0.3
xdotool mousemove $((wx + 500)) $((wy + 349)) click 1    # "Старт"
sleep 5
rss0=$(proc_rss_mib "$VD_PROGRAM_PID")
cpu0=$(proc_cpu_ticks "$VD_PROGRAM_PID")
start=$(date +%s)
minutes=${SOAK_MINUTES:-10}
end=$((start + minutes * 60 - 20))
while [ "$(date +%s)" -lt "$end" ]; do
  xdotool mousemove 20 750; sleep 1          # over the mini bar
  xdotool mousemove 50 50; sleep 2           # the clock's hot corner
  xdotool mousemove 600 400; sleep 7
done
elapsed=$(($(date +%s) - start))
rss1=$(proc_rss_mib "$VD_PROGRAM_PID")
cpu1=$(proc_cpu_ticks "$VD_PROGRAM_PID")
echo "soak: resident ${rss0} MiB after Start, ${rss1} MiB after ${elapsed}s;" \
  "CPU $(proc_percent "$cpu0" "$cpu1" "$elapsed") % of one core during the run"
