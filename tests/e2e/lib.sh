#!/usr/bin/env bash
# Shared helpers of the end-to-end tests: ways to look at the screen. The virtual
# display and the program's private folder come from scripts/display.sh.
# Source it; call vd_cleanup on exit (trap vd_cleanup EXIT).

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/display.sh"

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

# Prints "x y width height" of a window, in root coordinates.
e2e_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# Lists the names of the mapped top-level windows of the program.
e2e_visible_windows() {
  { xdotool search --onlyvisible --name '^Form[1-5]$' getwindowname %@ 2>/dev/null || true; } | sort
}

# Prints the colour of one pixel of a PNG as "r,g,b".
e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Starts a run of 13 Hz in Manual: "Auto" off, "Низкий Бета", then "Старт".
e2e_start_13hz_run() {
  local control=$1 cx cy
  read -r cx cy _ _ <<<"$(e2e_geometry "$control")"
  xdotool mousemove $((cx + 198 + 29)) $((cy + 59 + 10)) click 1
  sleep 0.5
  xdotool mousemove $((cx + 35 + 41)) $((cy + 116 + 8)) click 1
  sleep 0.3
  xdotool mousemove $((cx + 481 + 23)) $((cy + 340 + 9))
  sleep 0.3
  xdotool click 1
}

# Ends a run the way a user does: restore the control window from the mini bar and
# close it. Waits until the program has ended.
e2e_end_run() {
  xdotool mousemove 20 $((743 + 6)) click 1
  local control
  control=$(vd_wait_window '^Form1$' 10)
  xdotool windowactivate --sync "$control" key --clearmodifiers alt+F4 || true
  for _ in $(seq 100); do kill -0 "$VD_PROGRAM_PID" 2>/dev/null || return 0; sleep 0.1; done
  e2e_fail "the program still runs after its control window was closed"
}
