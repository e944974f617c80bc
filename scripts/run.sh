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

source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_display
trap e2e_cleanup EXIT
cd "$build_dir"
./pvstim >/dev/null 2>&1 &
E2E_PIDS+=($!)
e2e_wait_window '^Form1$' 20 >/dev/null
sleep 1
mkdir -p screenshots
shot="$PWD/screenshots/pvstim-$(date +%Y%m%d-%H%M%S).png"
import -display "$DISPLAY" -window root "$shot"
echo "Screenshot of the program on a virtual display: $shot"
