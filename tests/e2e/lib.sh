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

# Lists the names of the mapped windows of the program (Form1 ... Form5).
e2e_visible_windows() {
  vd_program_windows | awk '$2 ~ /^Form[1-5]$/ { print $2 }' | sort
}

# Prints the colour of one pixel of a PNG as "r,g,b".
e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
