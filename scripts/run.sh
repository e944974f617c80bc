#!/usr/bin/env bash
# Starts the built program. On a machine without a display it runs the program on
# a virtual X server with a window manager, saves a screenshot of the whole screen
# under <build>/screenshots/ and stops the program again.
set -euo pipefail
build_dir=${1:-build}
program="$build_dir/pvstim"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi

source "$(dirname "$0")/display.sh"
vd_start_display
trap vd_cleanup EXIT
cd "$build_dir"
./pvstim >/dev/null 2>&1 &
VD_PIDS+=($!)
vd_wait_window_named pvstim
sleep 1
mkdir -p screenshots
shot="$PWD/screenshots/pvstim-$(date +%Y%m%d-%H%M%S).png"
vd_screenshot "$shot"
echo "Screenshot of the program on a virtual display: $shot"
