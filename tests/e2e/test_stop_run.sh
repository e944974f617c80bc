#!/usr/bin/env bash
# A run a person can stop at once, on the real program: a new user's first Start shows
# the warning, worked from the keyboard (Space ticks, Enter continues) and remembered;
# during the flickering run Escape ends the program with the settings written. A
# second program's run ends the same way on the window manager's close request to
# the stimulation window, and shows no warning. An error box during a run takes the
# first Escape and the run goes on; the next one ends it. How fast a run ends is
# measured by bench/stop.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin "$1"
rm -f "$E2E_USER_FILE"
# The first line after 100 ms turns the flicker on. The program writes keys this
# file lacks when it saves.
printf '[GENERAL]\r\nfreqency=10\r\n' >"$dir/Config.ini"

# Starts the program and a run; $1 says whether the warning is expected.
start_run() {
  e2e_start_program "$dir"
  e2e_click_start "$E2E_CONTROL"
  if [ "$1" = warning ]; then
    vd_wait_window '^Предупреждение$' >/dev/null
    sleep 0.5
    xdotool key space
    sleep 0.2
    xdotool key Return
  fi
  stimulation=$(vd_wait_window '^stimulation$')
  if [ "$1" = none ] && xdotool search --onlyvisible --name '^Предупреждение$' >/dev/null 2>&1; then
    e2e_fail "the warning came again after it was confirmed"
  fi
  # The first line, and with it the flicker, 100 ms after Start.
  e2e_wait_for_flicker "no text line or flicker on the stimulation window"
  e2e_running "$VD_PROGRAM_PID" || e2e_fail "the program ended during the run"
}

check_saved() {
  grep -q 'opacity=' "$dir/Config.ini" || e2e_fail "Config.ini was not written on $1: $(cat "$dir/Config.ini")"
}

# --- Escape ---
start_run warning
grep -q 'confirmed=true' "$E2E_USER_FILE" 2>/dev/null || e2e_fail "the confirmation was not kept in $E2E_USER_FILE"
# Timed from the moment the key has been sent, not from the tool's start-up.
xdotool key Escape
since=$(date +%s%N)
escape_ms=$(e2e_wait_for_end "$since")
check_saved Escape

# --- The window manager's close request ---
printf '[GENERAL]\r\nfreqency=10\r\n' >"$dir/Config.ini"
start_run none
wmctrl -i -c "$stimulation"
since=$(date +%s%N)
close_ms=$(e2e_wait_for_end "$since")
check_saved "a close request"

# --- An error box during the run ---
# Markers that are not pictures: the first marker tick, 15 s into the run, opens an
# error box.
printf '[USES]\r\nmarkers=1\r\nimages=0\r\n[GENERAL]\r\nfreqency=10\r\n' >"$dir/Config.ini"
for marker in "$dir"/textures/*; do printf 'not a picture' >"$marker"; done
start_run none
box=$(vd_wait_window '^pvstim$')
box_active() { [ "$(xdotool getactivewindow)" = "$box" ]; }
e2e_wait_until "the error box does not have the keyboard" box_active
xdotool key Escape
e2e_wait_until "Escape did not close the error box" eval "! vd_find_window '^pvstim$' >/dev/null"
# The run goes on: the program runs and the flicker still changes the screen.
e2e_running "$VD_PROGRAM_PID" || e2e_fail "Escape on the error box ended the program"
e2e_wait_for_flicker "the run did not go on after the error box closed"
# The next Escape ends it (or closes the box of a later tick that came first).
e2e_wait_until "Escape did not end the run after the error box" e2e_escape_until_ended
check_saved "Escape after an error box"

echo "PASS (Escape: program ended after $escape_ms ms; close request: after $close_ms ms)"
