#!/usr/bin/env bash
# The real program on a virtual display with --flip-log: the automatic choice takes
# the timer presenter (the virtual display does not pace swaps), and a run set to
# 13 Hz for some 20 s writes one CSV line per phase and a summary whose measured
# rate matches the frequencies shown within 0.1 %. A run starts at the wake or
# sleep frequency, so 13 Hz is chosen after Start but before the first text line
# starts the flicker: a rhythm chosen while the flicker runs restarts its clock, a
# one-off irregularity the summary would rightly count. Manual then drifts the
# frequency by 0.1 Hz a second between 12 and 15 Hz.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

vd_start_display
dir=$(vd_program_copy "$build_dir")
# The first line 8 s after Start, nothing covering the text.
printf '[USES]\r\nmarkers=0\r\nimages=0\r\n[GENERAL]\r\nfreqency=800\r\n' >"$dir/Config.ini"

e2e_start_program "$dir" --flip-log "$dir/run.csv"
e2e_start_manual_run "$E2E_CONTROL" 76 124
sleep 26
e2e_end_run

summary="$dir/run.csv.summary.txt"
[ -f "$summary" ] || e2e_fail "no summary beside the flip log (stderr: $(cat "$dir/stderr.log"))"
cat "$summary"
grep -q '^flip log: .*presenter timer' "$summary" || e2e_fail "the summary does not name the timer presenter"
grep -q 'presenter timer' "$dir/stderr.log" || e2e_fail "the summary is not on standard error"

read -r measured mean highest < <(sed -n 's/^measured rate: \([0-9.]*\) Hz against \([0-9.]*\) Hz from the frequencies shown.*; frequency shown [0-9.]* to \([0-9.]*\) Hz$/\1 \2 \3/p' "$summary")
[ -n "${mean:-}" ] || e2e_fail "no measured rate in the summary"
first=$(sed -n 2p "$dir/run.csv" | cut -d, -f2)
awk -v f="$first" 'BEGIN { exit !(f > 12.9 && f <= 13.0) }' || e2e_fail "the flicker began at $first Hz, not 13 Hz"
awk -v m="$measured" -v f="$mean" 'BEGIN { e = (m - f) / f; if (e < 0) e = -e; exit !(e <= 0.001) }' || {
  echo "phases painted more than 20 ms late:" >&2
  awk -F, 'NR > 1 && $4 - $3 > 20' "$dir/run.csv" | head -n 20 >&2
  cp "$dir/run.csv" /tmp/pvstim_flip_log_failed.csv
  echo "flip log kept in /tmp/pvstim_flip_log_failed.csv" >&2
  e2e_fail "measured rate $measured Hz is not within 0.1 % of the $mean Hz the frequencies shown ask for"
}

head -n 1 "$dir/run.csv" | grep -qx 'phase,frequency_hz,due_ms,painted_ms,on_screen_ms,length_ms,frames' \
  || e2e_fail "the flip log has no header"
lines=$(($(wc -l <"$dir/run.csv") - 1))
# Some 20 s at 12 to 13 Hz is 480 to 560 phases.
[ "$lines" -ge 400 ] && [ "$lines" -le 650 ] || e2e_fail "$lines phases in the flip log"
awk -F, 'NR > 1 && $1 != "lit" && $1 != "blank" { bad = 1 } NR > 2 && $1 == prev { bad = 1 } { prev = $1 }
  END { exit bad }' "$dir/run.csv" || e2e_fail "the phases in the flip log do not alternate"
echo "PASS ($lines phases, $measured Hz against $mean Hz)"
