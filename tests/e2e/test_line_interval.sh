#!/usr/bin/env bash
# A line interval typed as 0 reaches "Старт" unclamped, since the spin edit keeps
# typed text until the focus leaves it and "Старт" takes no focus. Start brings it
# into range: within a second the run shows its lines and flickers, and the field
# shows the interval used.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

vd_start_display
dir=$(vd_program_copy "$build_dir")
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
vd_wait_window '^stimulation$' 10 >/dev/null

# The text line: left 30, top 768/2-80, 964 wide, 241 high. Its pictures over the
# first second after Start: the feed and the flicker change them.
sleep 0.3
declare -A seen=()
for i in $(seq 12); do
  sum=$(import -display "$DISPLAY" -window root -crop 964x241+30+304 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1)
  seen[$sum]=1
  sleep 0.05
done
[ "${#seen[@]}" -ge 2 ] || e2e_fail "the text line did not change within a second of Start"

# Escape ends the run, and the close saves the interval used.
xdotool key Escape
for _ in $(seq 50); do e2e_running "$VD_PROGRAM_PID" || break; sleep 0.1; done
e2e_running "$VD_PROGRAM_PID" && e2e_fail "the program did not end on Escape"
grep -qa 'freqency=10\b' "$dir/Config.ini" \
  || e2e_fail "the line interval used was not kept: $(tr '\r\n' '  ' <"$dir/Config.ini")"
echo "PASS"
