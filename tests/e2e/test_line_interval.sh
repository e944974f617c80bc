#!/usr/bin/env bash
# A line interval typed as 0 reaches "Старт" unclamped, since the spin edit keeps
# typed text until the focus leaves it and "Старт" takes no focus. Start brings it
# into range: the run shows its lines and flickers, and the interval used is saved.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin "$1"
e2e_two_line_text "$dir"
printf '[USES]\r\nmarkers=0\r\nimages=0\r\n' >"$dir/Config.ini"

e2e_start_program "$dir"
control=$E2E_CONTROL
read -r cx cy _ _ <<<"$(e2e_geometry "$control")"
# The line interval's field lies at 489,204, 54x22.
xdotool mousemove $((cx + 489 + 20)) $((cy + 204 + 11)) click --repeat 3 1
sleep 0.2
xdotool key ctrl+a BackSpace type 0
sleep 0.2
e2e_click_start "$control"
vd_wait_window '^stimulation$' >/dev/null

# An interval of 0 would never show a line, and the flicker waits for the first.
e2e_wait_for_flicker "the text line never changed after Start"

# Escape ends the run, and the close saves the interval used.
xdotool key Escape
e2e_wait_until "the program did not end on Escape" e2e_ended
grep -qa 'freqency=10\b' "$dir/Config.ini" \
  || e2e_fail "the line interval used was not kept: $(tr '\r\n' '  ' <"$dir/Config.ini")"
echo "PASS"
