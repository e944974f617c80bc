#!/usr/bin/env bash
# The real program on a virtual display: drag the control window by its title strip,
# minimize it to the mini bar, restore it, and close it with the close image.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

# Waits until the window's position is the expected one; fails with what it is.
wait_position() {
  local id=$1 want_x=$2 want_y=$3 what=$4 x y w h end=$((SECONDS + VD_DEADLINE))
  while :; do
    read -r x y w h <<<"$(e2e_geometry "$id")"
    [ "$x" = "$want_x" ] && [ "$y" = "$want_y" ] && return 0
    [ "$SECONDS" -lt "$end" ] || e2e_fail "$what: window at $x,$y, expected $want_x,$want_y"
    sleep 0.1
  done
}

# Waits until no visible window has this name.
wait_gone() {
  e2e_wait_until "$2: a window named $1 is still visible" eval "! vd_find_window '$1' >/dev/null"
}

click_at() {
  xdotool mousemove --sync "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep 0.5
}

vd_start_display
dir=$(vd_program_copy "$build_dir")
e2e_start_program "$dir"
id=$E2E_CONTROL
read -r x0 y0 w h <<<"$(e2e_geometry "$id")"
[ "$w" = 554 ] && [ "$h" = 381 ] || e2e_fail "control window is ${w}x${h}"

# Drag by the title strip, away from the two images, in a few steps.
dx=-130 dy=95
xdotool mousemove --sync $((x0 + 200)) $((y0 + 12))
sleep 0.2
xdotool mousedown 1
sleep 0.2
for step in 1 2 3 4 5; do
  xdotool mousemove --sync $((x0 + 200 + dx * step / 5)) $((y0 + 12 + dy * step / 5))
  sleep 0.1
done
xdotool mouseup 1
sleep 0.5
x1=$((x0 + dx)) y1=$((y0 + dy))
wait_position "$id" "$x1" "$y1" "after the drag"

# Once the button is up the window no longer follows the pointer.
xdotool mousemove --sync $((x1 + 300)) $((y1 + 12))
sleep 0.5
wait_position "$id" "$x1" "$y1" "after a move with the button up"

# Minimize: the control window leaves the screen, the mini bar sits in the corner.
click_at $((x1 + 480 + 14)) $((y1 + 1 + 7))
bar=$(vd_wait_window '^minibar$')
wait_gone '^control$' "after minimize"
read -r bx by bw bh <<<"$(e2e_geometry "$bar")"
[ "$bx $by $bw $bh" = "0 743 81 25" ] || e2e_fail "mini bar at $bx,$by ${bw}x${bh}, expected 0,743 81x25"

# Restore from the mini bar's restore image.
click_at 20 $((743 + 6))
id=$(vd_wait_window '^control$')
wait_position "$id" "$x1" "$y1" "after restore"
wait_gone '^minibar$' "after restore"

# Change one setting ("1. Маркеры поля зрения" off), then close with the close image.
click_at $((x1 + 40)) $((y1 + 332 + 10))
click_at $((x1 + 508 + 20)) $((y1 + 1 + 6))
e2e_wait_until "program still running after the close image" e2e_ended

[ -f "$dir/Config.ini" ] || e2e_fail "Config.ini not written"
expected=$'[MANUAL]\nopacity=20\n[USES]\nmarkers=0\nimages=1\n[FONT]\nBGcolor=14611189\nFcolor=8421504\nFsize=36\nFname=Times New Roman\nFstyle=1\n[GENERAL]\nfreqency=60'
actual=$(grep -v '^[[:space:]]*$' "$dir/Config.ini" | tr -d '\r')
[ "$actual" = "$expected" ] || e2e_fail "Config.ini differs:"$'\n'"$actual"
# Every check is done; the cleanup may find the program already gone.
echo "PASS"
