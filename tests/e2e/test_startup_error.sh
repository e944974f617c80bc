#!/usr/bin/env bash
# The real program started without its reading-text folder: the error box opens on
# top of the always-on-top control window, centred on it, with the focus; the
# error's text goes to standard error too; Enter closes the box and the control
# window then takes clicks.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

vd_start_display
dir=$(vd_program_copy "$build_dir")
rm -rf "$dir/to_read"
vd_start_program "$dir"
box=$(vd_wait_window '^pvstim$' 20)
form1=$(vd_find_window '^control$' || true)
[ -n "$form1" ] || e2e_fail "no control window"
sleep 1

# Topmost: the last client of the window manager's stacking order.
top=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' | tail -n 1)
[ $((top)) = "$box" ] || e2e_fail "topmost window is $((top)) ($(xdotool getwindowname $((top)))), not the error box $box"
active=$(xdotool getactivewindow)
[ "$active" = "$box" ] || e2e_fail "the focus is on $active ($(xdotool getwindowname "$active")), not on the error box"

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
for _ in $(seq 50); do
  vd_find_window '^pvstim$' >/dev/null || break
  sleep 0.1
done
vd_find_window '^pvstim$' >/dev/null && e2e_fail "Enter did not close the error box"

# A click on the control window's minimize image brings up the mini bar.
read -r fx fy fw fh <<<"$(e2e_geometry "$form1")"
xdotool mousemove --sync $((fx + 480 + 14)) $((fy + 1 + 7))
sleep 0.2
xdotool click 1
vd_wait_window '^minibar$' 10 >/dev/null
echo "PASS"
