#!/usr/bin/env bash
# How fast a run stops: from the moment Escape (or the window manager's close
# request to the stimulation window) has been sent until the program has ended,
# its settings written. The slowest of RUNS runs of each, on a virtual X display.
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
runs=${RUNS:-5}
source "$(dirname "$0")/../tests/e2e/lib.sh"
trap vd_cleanup EXIT

vd_start_display
dir=$(vd_program_copy "$build_dir")

# Starts a run whose first line, and with it the flicker, comes 100 ms after Start.
start_run() {
  printf '[GENERAL]\r\nfreqency=10\r\n' >"$dir/Config.ini"
  e2e_start_program "$dir"
  e2e_click_start "$E2E_CONTROL"
  stimulation=$(vd_wait_window '^stimulation$')
  e2e_wait_for_flicker "no flicker on the stimulation window"
  sleep 1
}

# One stop; $1 is escape or close. Sets stop_ms.
stop_once() {
  start_run
  local since
  if [ "$1" = escape ]; then
    xdotool key Escape
  else
    wmctrl -i -c "$stimulation"
  fi
  since=$(date +%s%N)
  stop_ms=$(e2e_wait_for_end "$since")
  grep -q 'opacity=' "$dir/Config.ini" || e2e_fail "Config.ini was not written on $1"
}

for how in escape close; do
  times=()
  for _ in $(seq "$runs"); do
    stop_once "$how"
    times+=("$stop_ms")
  done
  slowest=$(printf '%s\n' "${times[@]}" | sort -n | tail -n 1)
  echo "stop by $how: ${times[*]} ms (slowest $slowest ms)"
  met=$(awk -v t="$slowest" 'BEGIN {print (t <= 300) ? "met" : "MISSED"}')
  printf '%-52s %-22s %-22s %s\n' "run stopped by $how, slowest of $runs" "$slowest ms" "<= 300 ms" "$met"
done
