#!/usr/bin/env bash
# The real program on a virtual display: a click on "Старт" fills the screen with the
# stimulation window in the preview's background colour and shows the title line in
# the preview's font, the mini bar takes the bottom-left corner with the pointer on
# its restore image, and the control window goes out of sight.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin "$1"
# One known text; a line interval of 10 s keeps the title line up, and without
# markers and mandalas nothing covers it.
e2e_two_line_text "$dir"
printf '[USES]\r\nmarkers=0\r\nimages=0\r\n[GENERAL]\r\nfreqency=1000\r\n' >"$dir/Config.ini"

e2e_start_program "$dir"
e2e_click_start "$E2E_CONTROL"

stimulation=$(vd_wait_window '^stimulation$')

full_screen() { [ "$(e2e_geometry "$stimulation")" = "0 0 1024 768" ] || { e2e_geometry "$stimulation"; return 1; }; }
e2e_wait_until "the stimulation window does not fill the screen" full_screen
# A run's windows are not the program's face: the taskbar and the switcher skip them.
skips_taskbar() {
  local state
  state=$(xprop -id "$stimulation" _NET_WM_STATE)
  case "$state" in
    *_NET_WM_STATE_SKIP_TASKBAR*_NET_WM_STATE_SKIP_PAGER*|*_NET_WM_STATE_SKIP_PAGER*_NET_WM_STATE_SKIP_TASKBAR*) ;;
    *) echo "$state"; return 1 ;;
  esac
}
e2e_wait_until "stimulation window in the taskbar" skips_taskbar

minibar=$(vd_wait_window '^minibar$')
# In the bottom-left corner, 25 high.
minibar_placed() { [ "$(e2e_geometry "$minibar" | cut -d' ' -f1,2,4)" = "0 743 25" ] || { e2e_geometry "$minibar"; return 1; }; }
e2e_wait_until "mini bar not in the bottom-left corner at 0,743" minibar_placed

# The restore image spans x 8..34, y 0..12 of the mini bar.
pointer_on_restore() {
  eval "$(xdotool getmouselocation --shell)"
  [ "$X" -ge 8 ] && [ "$X" -le 34 ] && [ "$Y" -ge 743 ] && [ "$Y" -le 755 ] || { echo "pointer at $X,$Y"; return 1; }
}
e2e_wait_until "the pointer is not on the mini bar's restore image" pointer_on_restore

control_gone() { ! e2e_visible_windows | grep -qx control; }
e2e_wait_until "the control window is still on screen" control_gone

# The text line: left 30, top 768/2-80, 964 wide, 241 high. The preview's default
# font is Times New Roman, 36 pt bold, grey 0x808080; the background 0x00DEF2F5.
background="245,242,222"
shot="$dir/shot.png"
# True when a screenshot shows the background around the line and the title line
# in the preview's font and colour; says what it saw otherwise.
title_shown() {
  vd_screenshot "$shot"
  local point colour box bw bh bx by centre
  for point in "1000 20" "1000 740" "500 700" "20 400" "200 760" "1023 767"; do
    colour=$(e2e_pixel "$shot" $point)
    [ "$colour" = "$background" ] || { echo "pixel $point is $colour, expected $background"; return 1; }
  done
  # Bounding box of the pixels in the font's own colour inside the text line.
  box=$(convert "$shot" -crop 964x241+30+304 +repage -fill black +opaque "rgb(128,128,128)" \
    -fill white -opaque "rgb(128,128,128)" -format "%@" info: 2>/dev/null || true)
  [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || { echo "no text in the line"; return 1; }
  bw=${BASH_REMATCH[1]} bh=${BASH_REMATCH[2]} bx=${BASH_REMATCH[3]} by=${BASH_REMATCH[4]}
  centre=$((bx + bw / 2))
  # A 48-pixel face: "Probe.txt" stands some 30 to 50 pixels high and some 150 to
  # 350 wide, centred in the line and drawn from its top edge down.
  [ "$bh" -ge 25 ] && [ "$bh" -le 70 ] && [ "$bw" -ge 120 ] && [ "$bw" -le 400 ] \
    && [ "$centre" -ge 470 ] && [ "$centre" -le 494 ] && [ "$by" -le 30 ] || { echo "text box $box"; return 1; }
  echo "$box" >"$dir/title-box"
}
e2e_wait_until "no title line in the preview's font and colour on the stimulation window" title_shown

e2e_running "$VD_PROGRAM_PID" || e2e_fail "the program ended during the run"
echo "PASS (title line box $(cat "$dir/title-box"))"
