#!/usr/bin/env bash
# Named pipes where files belong never freeze the program or keep it from ending.
# With a pipe that nobody writes as every picture of fone/, textures/ and mandals/,
# the control window appears, the mini bar can be hovered, Start gives a full-screen
# run and Escape ends the program with its settings written (an error box about a
# picture takes an Escape of its own). With a pipe as the only reading text, Start
# answers with an error box, and the program still ends on the window manager's
# close request.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin "$1"
# Never opened for writing here: a writer would let a blocked open go on.
for picture in "$dir"/fone/* "$dir"/textures/* "$dir"/mandals/*; do
  rm -f "$picture"
  mkfifo "$picture"
done
e2e_two_line_text "$dir"
printf '[GENERAL]\r\nfreqency=10\r\n' >"$dir/Config.ini"

e2e_start_program "$dir"
read -r cx cy _ _ <<<"$(e2e_geometry "$E2E_CONTROL")"
# Minimize to the mini bar, hover its images, and back.
xdotool mousemove --sync $((cx + 480 + 14)) $((cy + 1 + 7)) click 1
vd_wait_window '^minibar$' >/dev/null
for x in 20 50 20; do
  xdotool mousemove --sync "$x" $((743 + 6))
  sleep 0.3
done
xdotool click 1
E2E_CONTROL=$(vd_wait_window '^control$')

e2e_click_start "$E2E_CONTROL"
stimulation=$(vd_wait_window '^stimulation$')
full_screen() { [ "$(e2e_geometry "$stimulation")" = "0 0 1024 768" ]; }
e2e_wait_until "the stimulation window does not fill the screen" full_screen
e2e_wait_until "Escape did not end the program" e2e_escape_until_ended
grep -q 'opacity=' "$dir/Config.ini" 2>/dev/null || e2e_fail "Config.ini was not written after Escape"

# A pipe as the only reading text.
rm -rf "$dir/to_read" "$dir/Config.ini"
mkdir "$dir/to_read"
mkfifo "$dir/to_read/Pipe.txt"
e2e_start_program "$dir"
e2e_click_start "$E2E_CONTROL"
box=$(vd_wait_window '^pvstim$')
xdotool windowactivate --sync "$box" key --clearmodifiers Return || true
e2e_wait_until "the error box stayed open" eval "! vd_find_window '^pvstim$' >/dev/null"
wmctrl -i -c "$E2E_CONTROL"
e2e_wait_until "the program did not end on a close request" e2e_ended
grep -q 'opacity=' "$dir/Config.ini" 2>/dev/null || e2e_fail "Config.ini was not written after the close request"
echo PASS
