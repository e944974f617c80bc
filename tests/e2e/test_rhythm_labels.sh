#!/usr/bin/env bash
# The real program on a virtual display: the rhythm labels start greyed; clicking
# "Auto" (switching to Manual) enables them, and clicking one highlights it.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

ink_rest=004080      # rhythm label text at rest, RGB 0,64,128
chosen=A6CAF0        # background of the chosen rhythm label, RGB 166,202,240
face=E7EAEB          # background of the other labels, RGB 231,234,235

# Pixels of one colour (hex RRGGBB) inside a box of a screenshot.
count_color() {
  local png=$1 x=$2 y=$3 w=$4 h=$5 hex=$6
  convert "$png" -crop "${w}x${h}+${x}+${y}" +repage -format %c histogram:info:- \
    | awk -v hex="#$hex" 'toupper($0) ~ toupper(hex) { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

vd_start_display
dir=$(vd_program_copy "$build_dir")
e2e_start_program "$dir"
id=$E2E_CONTROL
read -r wx wy _ _ <<<"$(e2e_geometry "$id")"
[ "$wx" = 235 ] && [ "$wy" = 193 ] || e2e_fail "control window at $wx,$wy, expected 235,193"

# Rhythm labels, client places (left top width height), drawn area a little inside.
labels=("35 116 82 16" "24 146 107 16" "29 178 96 16" "57 210 32 16" "49 242 56 16")
chosen_index=2   # "Низкий Альфа"

shot="$dir/shot.png"
xdotool mousemove 5 5
sleep 0.3
vd_screenshot "$shot"
for i in "${!labels[@]}"; do
  read -r lx ly lw lh <<<"${labels[$i]}"
  n=$(count_color "$shot" $((wx + lx)) $((wy + ly)) $((lw - 4)) "$lh" "$ink_rest")
  [ "$n" -eq 0 ] || e2e_fail "rhythm label $i drawn enabled before Manual ($n ink pixels)"
done

# "Auto" at 198,59 58x21: clicking the checked box switches to Manual.
xdotool mousemove $((wx + 198 + 29)) $((wy + 59 + 10)) click 1
sleep 0.5
read -r lx ly lw lh <<<"${labels[$chosen_index]}"
xdotool mousemove $((wx + lx + lw / 2)) $((wy + ly + lh / 2)) click 1
sleep 0.3
xdotool mousemove 5 5

# True when the screenshot shows every label enabled and only the chosen one
# highlighted; says what is wrong otherwise.
labels_drawn() {
  vd_screenshot "$shot"
  local i lx ly lw lh x y w ink hi bg
  for i in "${!labels[@]}"; do
    read -r lx ly lw lh <<<"${labels[$i]}"
    x=$((wx + lx)); y=$((wy + ly)); w=$((lw - 4))
    ink=$(count_color "$shot" $x $y $w "$lh" "$ink_rest")
    [ "$ink" -ge 10 ] || { echo "rhythm label $i not drawn enabled after Manual ($ink ink pixels)"; return 1; }
    hi=$(count_color "$shot" $x $y $w "$lh" "$chosen")
    if [ "$i" -eq "$chosen_index" ]; then
      [ "$hi" -ge $((w * lh / 3)) ] || { echo "chosen rhythm label not highlighted ($hi of $((w * lh)) pixels)"; return 1; }
    else
      [ "$hi" -eq 0 ] || { echo "rhythm label $i highlighted too ($hi pixels)"; return 1; }
      bg=$(count_color "$shot" $x $y $w "$lh" "$face")
      [ "$bg" -ge $((w * lh / 3)) ] || { echo "rhythm label $i not on the face colour ($bg pixels)"; return 1; }
    fi
  done
}
e2e_wait_until "the rhythm labels after Manual and a choice" labels_drawn
echo "PASS"
