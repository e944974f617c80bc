#!/usr/bin/env bash
# Runs the flicker benchmark full-screen at 1920x1080: on a private Xvfb display
# by default, or with --offscreen on Qt's offscreen platform. The benchmark runs
# from a scratch folder that holds the program's markers and mandalas with a
# hostile picture in each folder (tools/hostile), for its last run.
# Fails when the benchmark fails.
# Usage: flicker.sh <build dir> [--offscreen] [seconds per run] [frequency ...]
set -euo pipefail
build_dir=$1
shift
bench="$build_dir/bench/flicker/pvstim_bench_flicker"
[ -x "$bench" ] || { echo "build the pvstim_bench_flicker target first (-DPVSTIM_BENCH=ON)" >&2; exit 1; }

scratch=$(mktemp -d /tmp/pvstim-bench-flicker.XXXXXX)
cleanup() { rm -rf "$scratch"; }
trap cleanup EXIT
cp "$bench" "$scratch/"
bench="$scratch/$(basename "$bench")"
cp -r "$build_dir/textures" "$build_dir/mandals" "$scratch/"
"$build_dir/tools/hostile/pvstim_hostile" "$scratch/hostile" >/dev/null
mv "$scratch/hostile/rle_end_only_16000x4000.bmp" "$scratch/textures/mark1.bmp"
mv "$scratch/hostile/progressive_500_scans_8000x8000.jpg" "$scratch/mandals/1.jpg"

if [ "${1:-}" = "--offscreen" ]; then
  shift
  config="$scratch/screen.json"
  cat >"$config" <<'JSON'
{ "screens": [ { "name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] }
JSON
  QT_QPA_PLATFORM="offscreen:configfile=$config" "$bench" "$@"
  exit
fi

# Xvfb picks a free display itself: other programs may hold any given number.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; cleanup' EXIT
for _ in $(seq 300); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$scratch/display")" QT_QPA_PLATFORM=xcb "$bench" "$@"
