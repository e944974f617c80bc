#!/usr/bin/env bash
# The real program on a virtual display: the control window alone, 554x381, centred;
# closing it writes the default settings.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin "$1"
e2e_start_program "$dir"
id=$E2E_CONTROL

read -r x y w h <<<"$(e2e_geometry "$id")"
[ "$w" = 554 ] && [ "$h" = 381 ] || e2e_fail "control window is ${w}x${h}, expected 554x381"
[ "$x" = $(((1024 - 554) / 2)) ] && [ "$y" = $(((768 - 381) / 2)) ] \
  || e2e_fail "control window at $x,$y, expected centred"
visible=$(e2e_visible_windows | tr '\n' ' ')
[ "$visible" = "control " ] || e2e_fail "visible windows: '$visible', expected only control"

# Ask the window manager to close the window, as Alt+F4 does.
xdotool windowactivate --sync "$id" key --clearmodifiers alt+F4 || true
e2e_wait_until "program still running after close" e2e_ended

[ -f "$dir/Config.ini" ] || e2e_fail "Config.ini not written"
expected=$'[MANUAL]\nopacity=20\n[USES]\nmarkers=1\nimages=1\n[FONT]\nBGcolor=14611189\nFcolor=8421504\nFsize=36\nFname=Times New Roman\nFstyle=1\n[GENERAL]\nfreqency=60'
actual=$(grep -v '^[[:space:]]*$' "$dir/Config.ini" | tr -d '\r')
[ "$actual" = "$expected" ] || e2e_fail "Config.ini differs:"$'\n'"$actual"
echo "PASS"
