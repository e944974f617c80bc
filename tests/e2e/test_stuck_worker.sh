#!/usr/bin/env bash
# Closing the program never waits on a picture that cannot be read: the mini bar's
# close picture is a named pipe that nobody writes, so hovering the bar leaves a
# decoding worker blocked in its open. Closing the program then still writes the
# settings and ends the process.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

vd_start_display
dir=$(vd_program_copy "$build_dir")
rm -f "$dir/fone/close0.bmp" "$dir/Config.ini"
# Never opened for writing here: a writer would let the blocked open go on.
mkfifo "$dir/fone/close0.bmp"

e2e_start_program "$dir"
read -r cx cy _ _ <<<"$(e2e_geometry "$E2E_CONTROL")"
# Minimize to the mini bar, then hover its images: over the restore image the bar
# shows its close image's normal picture, the pipe.
xdotool mousemove --sync $((cx + 480 + 14)) $((cy + 1 + 7))
sleep 0.2
xdotool click 1
vd_wait_window '^minibar$' >/dev/null
sleep 0.5
for x in 20 50 20; do
  xdotool mousemove --sync "$x" $((743 + 6))
  sleep 0.3
done
e2e_running "$VD_PROGRAM_PID" || e2e_fail "the program ended while the mini bar was hovered"

# Back from the mini bar, then closed with Alt+F4; waits until the program ends.
since=$(date +%s%N)
e2e_end_run
echo "the program ended $((($(date +%s%N) - since) / 1000000)) ms after the restore click"
grep -q 'opacity=' "$dir/Config.ini" 2>/dev/null || e2e_fail "Config.ini was not written"

echo PASS
