#!/usr/bin/env bash
# The screen kept awake during a run, on the real program: with the X server's screen
# saver set to a 2-second time-out it activates while the program waits without a run,
# does not activate during a 6-second run without input, and activates again after
# the program has ended.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

vd_start_display
dir=$(vd_program_copy "$build_dir")
printf '[USES]\r\nmarkers=0\r\nimages=0\r\n' >"$dir/Config.ini"
xset s 2 0

saver_on() { [ "$(e2e_saver_state)" = on ]; }

vd_start_program "$dir"
control=$(vd_wait_window '^control$')
# Without a run the program leaves the screen saver alone (this also shows that the
# server's screen saver works here at all).
e2e_wait_until "the screen saver did not turn on before the run" saver_on

e2e_click_start "$control"
vd_wait_window '^stimulation$' >/dev/null
for i in $(seq 12); do
  sleep 0.5
  state=$(e2e_saver_state)
  [ "$state" != on ] || e2e_fail "the screen saver turned on $((i * 500)) ms into the run"
done
e2e_running "$VD_PROGRAM_PID" || e2e_fail "the program ended during the run"

since=$(date +%s%N)
xdotool key Escape
e2e_wait_for_end "$since" >/dev/null
e2e_wait_until "the screen saver did not turn on again after the program ended" saver_on
echo "PASS"
