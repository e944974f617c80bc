#!/usr/bin/env bash
# A run with markers and mandalas on, where both marker files and two of the three
# mandala files are ones that take long and much memory to decode: a run-length bitmap that declares
# 16000 x 4000 and holds only its end code, and a progressive 8000 x 8000 JPEG of
# some 500 scans. For 20 s the screen is sampled as fast as the X server answers:
# the flicker goes on without a gap longer than twice its phase, and the program
# stays under 200 MB resident. It is timed, so it runs with the benchmarks, on a
# machine quiet enough to say something, not in the test suite.
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
here=$(dirname "$0")
source "$here/../tests/e2e/lib.sh"
trap vd_cleanup EXIT

# The two files, from the project's generator.
hostile="$build_dir/e2e-hostile"
"$build_dir/tools/hostile/pvstim_hostile" "$hostile" >/dev/null || e2e_fail "cannot write the hostile pictures"
mv -f "$hostile/rle_end_only_16000x4000.bmp" "$hostile/eob.bmp"
mv -f "$hostile/progressive_500_scans_8000x8000.jpg" "$hostile/huge.jpg"
[ "$(stat -c %s "$hostile/eob.bmp")" = 1080 ] || e2e_fail "the bitmap is not 1080 bytes"

vd_start_display
dir=$(vd_program_copy "$build_dir")
rm -rf "$dir/to_read"
mkdir "$dir/to_read"
# Long lines, so that both strips sampled below hold some of their letters while
# an error box may stand in the middle of the screen.
wide='Строка такой ширины, что её буквы доходят до обоих краёв экрана'
printf '%s 1\r\n%s 2\r\n%s 3\r\n' "$wide" "$wide" "$wide" \
  >"$dir/to_read/Probe-line-wide-enough-to-reach-both-sides.txt"
for n in 1 2; do cp "$hostile/eob.bmp" "$dir/textures/mark$n.bmp"; done
# The overlay decodes mandala 3 while the program starts; it stays as shipped.
for n in 1 2; do cp "$hostile/huge.jpg" "$dir/mandals/$n.jpg"; done
# Markers and mandalas on; a new line every 10 s.
printf '[USES]\r\nmarkers=1\r\nimages=1\r\n[GENERAL]\r\nfreqency=1000\r\n' >"$dir/Config.ini"

e2e_start_program "$dir"
e2e_click_start "$E2E_CONTROL"
vd_wait_window '^stimulation$' >/dev/null

# The first mandala comes 10 s into the run and the first marker 15 s in.
# The text line lies at y 304 on a 1024 x 768 screen; its letters from its top down.
log="$dir/samples.log"
python3 "$here/flicker_sampler.py" 21 "$VD_PROGRAM_PID" 40,306,260,50 724,306,260,50 >"$log"

kill -0 "$VD_PROGRAM_PID" 2>/dev/null || e2e_fail "the program ended during the run"
# The screen first changes when the text clock's first tick shows the title line,
# 10 s in; that tick starts the flicker clock, whose first tick waits out the
# clock's initial interval of a second (nothing has set the frequency yet in Auto).
# So the gaps are counted from 1.5 s after the first change; longest last, and the
# phase is their median.
gaps=$(awk '$1 == "change" { if (first == "") first = $2; if ($2 < first + 1.5) next
  if (prev != "") print $2 - prev, prev; prev = $2 }' "$log" | sort -n)
count=$(printf '%s\n' "$gaps" | grep -c . || true)
median=$(printf '%s\n' "$gaps" | awk -v n="$count" 'NR == int(n / 2) + 1 { print $1 }')
read -r worst at <<<"$(printf '%s\n' "$gaps" | tail -n 1)"
rss=$(awk '$1 == "rss" && $3 > m { m = $3 } END { print m + 0 }' "$log")
[ "$count" -ge 20 ] || e2e_fail "the screen hardly changed ($count changes): no flicker seen"
echo "changes $count, phase $median s, longest gap $worst s (from $at s), peak resident $((rss / 1024)) MB"
awk -v m="$median" 'BEGIN { exit !(m >= 0.03 && m <= 0.08) }' || e2e_fail "phase of $median s, expected 8 to 10 Hz"
awk -v w="$worst" -v m="$median" 'BEGIN { exit !(w <= 2 * m) }' \
  || e2e_fail "a gap of $worst s in the flicker at $at s, more than twice the phase ($median s)"
[ "$rss" -lt $((200 * 1024)) ] || e2e_fail "the program took $((rss / 1024)) MB resident"
echo PASS
