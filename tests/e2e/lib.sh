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

# Starts a run in Manual and sets it to 13 Hz: "Auto" off, "Низкий Бета" (Start needs
# a rhythm in Manual), "Старт" (which starts at the wake or sleep frequency), the
# control window back from the mini bar, then "Низкий Бета" again. The control
# window stays up; the flicker goes on behind it.
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
  vd_wait_window '^Form4$' 10 >/dev/null
  sleep 0.5
  xdotool mousemove 20 $((743 + 6)) click 1
  control=$(vd_wait_window '^Form1$' 10)
  sleep 0.5
  read -r cx cy _ _ <<<"$(e2e_geometry "$control")"
  xdotool mousemove $((cx + 35 + 41)) $((cy + 116 + 8)) click 1
}

# Ends a run the way a user does: the control window back from the mini bar if it
# is not up, then closed. Waits until the program has ended.
e2e_end_run() {
  local control
  control=$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | head -n 1 || true)
  if [ -z "$control" ]; then
    xdotool mousemove 20 $((743 + 6)) click 1
    control=$(vd_wait_window '^Form1$' 10)
  fi
  xdotool windowactivate --sync "$control" key --clearmodifiers alt+F4 || true
  for _ in $(seq 100); do kill -0 "$VD_PROGRAM_PID" 2>/dev/null || return 0; sleep 0.1; done
  e2e_fail "the program still runs after its control window was closed"
}
