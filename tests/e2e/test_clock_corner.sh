#!/usr/bin/env bash
# The real program on a virtual display: the pointer in the screen's top-left corner
# brings the clock plate into the corner; moving it away takes the plate out of sight.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

# Points inside the plate but away from the time text (screen coordinates, with the
# plate at rest one pixel left of the screen's edge).
SAMPLES=("2 21" "40 21" "77 21" "78 3")

# True when every sample pixel of the screenshot is the plate's blue.
plate_shown() {
  local shot=$1 point r g b
  for point in "${SAMPLES[@]}"; do
    IFS=, read -r r g b <<<"$(e2e_pixel "$shot" ${point% *} ${point#* })"
    [ "$b" -gt $((r + 40)) ] && [ "$b" -gt $((g + 20)) ] || return 1
  done
}

# True when no sample pixel is the plate's blue.
plate_gone() {
  local shot=$1 point r g b
  for point in "${SAMPLES[@]}"; do
    IFS=, read -r r g b <<<"$(e2e_pixel "$shot" ${point% *} ${point#* })"
    [ "$b" -gt $((r + 40)) ] && [ "$b" -gt $((g + 20)) ] && return 1
  done
  return 0
}

vd_start_display
dir=$(vd_program_copy "$build_dir")
VD_TMP=$dir   # set in a subshell above; the cleanup removes the copy through it
e2e_start_program "$dir"
xdotool mousemove --sync 600 500
sleep 0.5
shot="$dir/shot.png"
vd_screenshot "$shot"
plate_gone "$shot" || e2e_fail "the clock plate is in the corner before the pointer went there"

shows() { vd_screenshot "$shot" && "$1" "$shot"; }

# 13 steps of 20 ms bring it in.
xdotool mousemove --sync 10 10
id=$(vd_wait_window '^clock$')
e2e_wait_until "no clock plate in the top-left corner" shows plate_shown
read -r x y w h <<<"$(e2e_geometry "$id")"
[ "$x $y $w $h" = "-1 0 81 25" ] || e2e_fail "clock window at $x,$y ${w}x${h}, expected -1,0 81x25"

xdotool mousemove --sync 600 500
e2e_wait_until "the clock plate stayed in the corner after the pointer left" shows plate_gone
only_control_visible() { [ "$(e2e_visible_windows | tr '\n' ' ')" = "control " ]; }
e2e_wait_until "a window beside the control window is still visible" only_control_visible
echo "PASS"
