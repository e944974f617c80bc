#!/usr/bin/env bash
# The real program started without its reading-text folder: the error box opens on
# top of the always-on-top control window, centred on it, with the focus; the
# error's text goes to standard error too; Enter closes the box and the control
# window then takes clicks.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin "$1"
rm -rf "$dir/to_read"
vd_start_program "$dir"
box=$(vd_wait_window '^pvstim$')
form1=$(vd_find_window '^control$' || true)
[ -n "$form1" ] || e2e_fail "no control window"

# Topmost: the last client of the window manager's stacking order.
topmost() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' | tail -n 1; }
box_on_top_with_focus() { [ $(($(topmost))) = "$box" ] && [ "$(xdotool getactivewindow)" = "$box" ]; }
e2e_wait_until "the error box is not the topmost window with the focus" box_on_top_with_focus

read -r bx by bw bh <<<"$(e2e_geometry "$box")"
read -r fx fy fw fh <<<"$(e2e_geometry "$form1")"
dx=$(((bx + bw / 2) - (fx + fw / 2))) dy=$(((by + bh / 2) - (fy + fh / 2)))
[ "${dx#-}" -le 20 ] && [ "${dy#-}" -le 20 ] \
  || e2e_fail "error box at $bx,$by ${bw}x${bh} is not centred on the control window at $fx,$fy ${fw}x${fh}"

# The box's text is also written to standard error; the box shows the same string.
expected="I/O error: the folder \"$dir/to_read/\" does not exist"
grep -qxF "$expected" "$dir/stderr.log" || e2e_fail "error text:"$'\n'"$(cat "$dir/stderr.log")"$'\n'"expected: $expected"

xdotool key --clearmodifiers Return
# The box is the program's one window without a role, so it goes by its title.
e2e_wait_until "Enter did not close the error box" eval "! vd_find_window '^pvstim$' >/dev/null"

# A click on the control window's minimize image brings up the mini bar.
read -r fx fy fw fh <<<"$(e2e_geometry "$form1")"
xdotool mousemove --sync $((fx + 480 + 14)) $((fy + 1 + 7))
sleep 0.2
xdotool click 1
vd_wait_window '^minibar$' >/dev/null
echo "PASS"
