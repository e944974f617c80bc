#!/usr/bin/env bash
# Runs the flicker benchmark full-screen at 1920x1080: on a private Xvfb display
# by default, or with --offscreen on Qt's offscreen platform.
# Usage: flicker.sh <build dir> [--offscreen] [seconds per frequency] [frequency ...]
set -euo pipefail
build_dir=$1
shift
bench="$build_dir/bench/flicker/pvstim_bench_flicker"
[ -x "$bench" ] || { echo "build the pvstim_bench_flicker target first (-DPVSTIM_BENCH=ON)" >&2; exit 1; }

if [ "${1:-}" = "--offscreen" ]; then
  shift
  config=$(mktemp --suffix=.json)
  trap 'rm -f "$config"' EXIT
  cat >"$config" <<'JSON'
{ "screens": [ { "name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] }
JSON
  QT_QPA_PLATFORM="offscreen:configfile=$config" "$bench" "$@"
  exit
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.1
done
DISPLAY=$display QT_QPA_PLATFORM=xcb "$bench" "$@"
