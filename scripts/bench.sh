#!/usr/bin/env bash
# Runs every benchmark and prints its figures; fails when one fails. The soak
# (10 minutes) runs only with SOAK=1.
set -uo pipefail
build_dir=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
failed=()
run() {
  echo "== $1"
  shift
  "$@" || failed+=("$1")
}
run gauge "$build_dir/bench/gauge/pvstim_bench_gauge"
run flicker "$root/bench/flicker.sh" "$build_dir"
run startup "$root/bench/startup.sh" "$build_dir"
run idle "$root/bench/idle.sh" "$build_dir"
[ -n "${SOAK:-}" ] && run soak "$root/bench/soak.sh" "$build_dir"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]}" >&2
  exit 1
fi
