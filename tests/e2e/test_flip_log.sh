#!/usr/bin/env bash
# The real program on a virtual display with --flip-log: the automatic choice takes
# the timer presenter (the virtual display does not pace swaps), and a run in
# Manual writes one CSV line per phase and a summary. What is checked holds on a
# busy machine as on a quiet one: the columns, lit and blank alternating, each
# planned flip half a period of the frequency in force after the one before (or
# later, where the flicker restarted after a stall longer than a phase), and the
# summary agreeing with the file. The rate the phases kept is measured by
# bench/flicker.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin "$1"
# The first line 8 s after Start, nothing covering the text.
printf '[USES]\r\nmarkers=0\r\nimages=0\r\n[GENERAL]\r\nfreqency=800\r\n' >"$dir/Config.ini"

e2e_start_program "$dir" --flip-log "$dir/run.csv"
# "Auto" off, "Низкий Бета" (Start needs a rhythm in Manual), "Старт". The rhythm is
# not chosen again during the run: that restarts the flicker's clock.
read -r cx cy _ _ <<<"$(e2e_geometry "$E2E_CONTROL")"
xdotool mousemove $((cx + 198 + 29)) $((cy + 59 + 10)) click 1
sleep 0.5
xdotool mousemove $((cx + 76)) $((cy + 124)) click 1
sleep 0.3
e2e_click_start "$E2E_CONTROL"
vd_wait_window '^minibar$' >/dev/null
# The title line, and with it the flicker, then some seconds of flicker.
e2e_wait_for_flicker "no title line or flicker on the stimulation window"
sleep 8
e2e_end_run

summary="$dir/run.csv.summary.txt"
[ -f "$summary" ] || e2e_fail "no summary beside the flip log (stderr: $(cat "$dir/stderr.log"))"
cat "$summary"
grep -q '^flip log: .*presenter timer' "$summary" || e2e_fail "the summary does not name the timer presenter"
grep -q 'presenter timer' "$dir/stderr.log" || e2e_fail "the summary is not on standard error"

head -n 1 "$dir/run.csv" | grep -qx 'phase,frequency_hz,due_ms,painted_ms,on_screen_ms,length_ms,frames' \
  || e2e_fail "the flip log has no header"
lines=$(($(wc -l <"$dir/run.csv") - 1))
counted=$(sed -n 's/^flip log: \([0-9]*\) phases.*/\1/p' "$summary")
[ "$lines" -ge 20 ] || e2e_fail "only $lines phases in the flip log"
[ "$lines" = "$counted" ] || e2e_fail "$lines phases in the flip log, $counted in its summary"
awk -F, 'NR > 1 && (NF != 7 || ($1 != "lit" && $1 != "blank")) { bad = 1 } NR > 2 && $1 == prev { bad = 1 }
  { prev = $1 } END { exit bad }' "$dir/run.csv" || e2e_fail "the phases in the flip log do not alternate"
# Times are printed to the microsecond: two of them differ from the exact
# difference by at most that much.
awk -F, 'NR > 2 {
    half = 500 / hz; step = $3 - due
    restarted = step > half && late >= half - 0.001
    if ((step - half > 0.001 || half - step > 0.001) && !restarted) {
      printf "phase %d planned %.3f ms after the one before, half a period at %s Hz is %.3f ms\n", NR - 1, step, hz, half
      bad = 1
    }
  }
  NR > 1 { hz = $2; due = $3; late = $4 - $3 }
  END { exit bad }' "$dir/run.csv" >&2 || e2e_fail "the planned flips do not follow the frequencies shown"
echo "PASS ($lines phases)"
