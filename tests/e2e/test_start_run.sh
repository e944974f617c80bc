#!/usr/bin/env bash
# The real program on a virtual display: a click on "Старт" fills the screen with the
# stimulation window in the preview's background colour and shows the title line in
# the preview's font, the mini bar takes the bottom-left corner with the pointer on
# its restore image, and the control window goes out of sight.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

vd_start_display
dir=$(vd_program_copy "$build_dir")
# One known text; a line interval of 10 s keeps the title line up, and without
# markers and mandalas nothing covers it.
e2e_two_line_text "$dir"
printf '[USES]\r\nmarkers=0\r\nimages=0\r\n[GENERAL]\r\nfreqency=1000\r\n' >"$dir/Config.ini"

e2e_start_program "$dir"
e2e_click_start "$E2E_CONTROL"

stimulation=$(vd_wait_window '^stimulation$' 10)
sleep 1.5

read -r x y w h <<<"$(e2e_geometry "$stimulation")"
[ "$x $y $w $h" = "0 0 1024 768" ] || e2e_fail "stimulation window at $x,$y ${w}x$h, expected the whole screen"
# A run's windows are not the program's face: the taskbar and the switcher skip them.
state=$(xprop -id "$stimulation" _NET_WM_STATE)
case "$state" in
  *_NET_WM_STATE_SKIP_TASKBAR*_NET_WM_STATE_SKIP_PAGER*|*_NET_WM_STATE_SKIP_PAGER*_NET_WM_STATE_SKIP_TASKBAR*) ;;
  *) e2e_fail "stimulation window in the taskbar: $state" ;;
esac

minibar=$(vd_wait_window '^minibar$' 5)
read -r x y w h <<<"$(e2e_geometry "$minibar")"
[ "$x" = 0 ] && [ "$((y + h))" = 768 ] || e2e_fail "mini bar at $x,$y ${w}x$h, expected in the bottom-left corner"
[ "$y" = 743 ] || e2e_fail "mini bar top is $y, expected 743"

eval "$(xdotool getmouselocation --shell)"
# The restore image spans x 8..34, y 0..12 of the mini bar.
[ "$X" -ge 8 ] && [ "$X" -le 34 ] && [ "$Y" -ge 743 ] && [ "$Y" -le 755 ] \
  || e2e_fail "pointer at $X,$Y, not on the mini bar's restore image"

visible=$(e2e_visible_windows | tr '\n' ' ')
case " $visible" in
  *" control "*) e2e_fail "the control window is still on screen (visible: $visible)" ;;
esac

# The text line: left 30, top 768/2-80, 964 wide, 241 high. The preview's default
# font is Times New Roman, 36 pt bold, grey 0x808080; the background 0x00DEF2F5.
background="245,242,222"
found_text=""
for i in 1 2 3 4 5; do
  shot="$dir/shot$i.png"
  vd_screenshot "$shot"
  for point in "1000 20" "1000 740" "500 700" "20 400" "200 760" "1023 767"; do
    colour=$(e2e_pixel "$shot" $point)
    [ "$colour" = "$background" ] || e2e_fail "pixel $point is $colour in screenshot $i, expected $background"
  done
  # Bounding box of the pixels in the font's own colour inside the text line.
  box=$(convert "$shot" -crop 964x241+30+304 +repage -fill black +opaque "rgb(128,128,128)" \
    -fill white -opaque "rgb(128,128,128)" -format "%@" info: 2>/dev/null || true)
  if [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]]; then
    bw=${BASH_REMATCH[1]} bh=${BASH_REMATCH[2]} bx=${BASH_REMATCH[3]} by=${BASH_REMATCH[4]}
    centre=$((bx + bw / 2))
    # A 48-pixel face: "Probe.txt" stands some 30 to 50 pixels high and some 150 to
    # 350 wide, centred in the line and drawn from its top edge down.
    if [ "$bh" -ge 25 ] && [ "$bh" -le 70 ] && [ "$bw" -ge 120 ] && [ "$bw" -le 400 ] \
      && [ "$centre" -ge 470 ] && [ "$centre" -le 494 ] && [ "$by" -le 30 ]; then
      found_text="$box"
    else
      echo "screenshot $i: text box $box" >&2
    fi
  fi
  sleep 0.4
done
[ -n "$found_text" ] || e2e_fail "no title line in the preview's font and colour on the stimulation window"

kill -0 "$VD_PROGRAM_PID" 2>/dev/null || e2e_fail "the program ended during the run"
echo "PASS (title line box $found_text)"
