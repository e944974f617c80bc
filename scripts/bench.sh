#!/usr/bin/env bash
# Runs every benchmark and prints its figures, then the figures beside their
# targets in one table; fails when a benchmark fails (a missed target is reported,
# not a failure: the figures depend on the machine and its load). The soak
# (10 minutes) runs only with SOAK=1.
set -uo pipefail
build_dir=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
log=$(mktemp /tmp/pvstim-bench.XXXXXX)
trap 'rm -f "$log"' EXIT
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "load average: $load_before"
failed=()
run() {
  local name=$1
  shift
  echo "== $name"
  "$@" 2>&1 | tee -a "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || failed+=("$name")
}
run gauge "$build_dir/bench/gauge/pvstim_bench_gauge"
run pictures "$build_dir/bench/pictures/pvstim_bench_pictures"
run flicker "$root/bench/flicker.sh" "$build_dir"
run startup "$root/bench/startup.sh" "$build_dir"
run idle "$root/bench/idle.sh" "$build_dir"
run stop "$root/bench/stop.sh" "$build_dir"
run hostile "$root/bench/hostile_run.sh" "$build_dir"
[ -n "${SOAK:-}" ] && run soak "$root/bench/soak.sh" "$build_dir"
echo
printf '%-52s %-22s %-22s %s\n' "figure" "measured" "target" ""
grep -E ' (met|MISSED)$' "$log"
echo "load average: $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after ($(nproc) cores)"
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]}" >&2
  exit 1
fi
