#!/usr/bin/env bash
# Runs every benchmark and prints its figures, then the figures beside their
# targets in one table; fails when a benchmark fails (a missed target is reported,
# not a failure: the figures depend on the machine and its load). The soak
# (10 minutes) runs only with SOAK=1.
#
# With BENCH_BEFORE=<another build folder> (an earlier version's build, made with
# PVSTIM_BENCH=ON) each benchmark runs on that build first and then on this one,
# in the same sitting, and the table gives both figures.
# Usage: bench.sh [build dir]
set -uo pipefail
build_dir=${1:-build}
before_dir=${BENCH_BEFORE:-}
root=$(cd "$(dirname "$0")/.." && pwd)
log=$(mktemp /tmp/pvstim-bench.XXXXXX)
log_before=$(mktemp /tmp/pvstim-bench-before.XXXXXX)
trap 'rm -f "$log" "$log_before"' EXIT
if [ -n "$before_dir" ] && [ ! -x "$before_dir/pvstim" ]; then
  echo "BENCH_BEFORE=$before_dir holds no built program" >&2
  exit 1
fi
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "load average: $load_before"
failed=()
# run NAME COMMAND...: the command with @BUILD@ standing for the build folder, on
# the earlier build first when there is one.
run() {
  local name=$1
  shift
  if [ -n "$before_dir" ]; then
    echo "== $name (before: $before_dir)"
    "${@//@BUILD@/$before_dir}" 2>&1 | tee -a "$log_before"
    [ "${PIPESTATUS[0]}" -eq 0 ] || failed+=("$name (before)")
  fi
  echo "== $name"
  "${@//@BUILD@/$build_dir}" 2>&1 | tee -a "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || failed+=("$name")
}
run gauge @BUILD@/bench/gauge/pvstim_bench_gauge
run pictures @BUILD@/bench/pictures/pvstim_bench_pictures
run flicker "$root/bench/flicker.sh" @BUILD@
run startup "$root/bench/startup.sh" @BUILD@
run idle "$root/bench/idle.sh" @BUILD@
run stop "$root/bench/stop.sh" @BUILD@
run hostile "$root/bench/hostile_run.sh" @BUILD@
[ -n "${SOAK:-}" ] && run soak "$root/bench/soak.sh" @BUILD@
echo
# A figure's row: its name in 52 columns, what was measured and the target in 22
# each, then met or MISSED.
if [ -z "$before_dir" ]; then
  printf '%-52s %-22s %-22s %s\n' "figure" "measured" "target" ""
  grep -E ' (met|MISSED)$' "$log"
else
  printf '%-52s %-22s %-22s %-22s %s\n' "figure" "target" "before" "after" ""
  awk '
    function trim(s) { sub(/ +$/, "", s); return s }
    / (met|MISSED)$/ {
      key = substr($0, 1, 52)
      if (FILENAME == ARGV[1]) { before[key] = trim(substr($0, 54, 22)); next }
      printf "%-52s %-22s %-22s %-22s %s\n", key, trim(substr($0, 77, 22)),
        (key in before) ? before[key] : "-", trim(substr($0, 54, 22)), $NF
    }' "$log_before" "$log"
fi
echo "load average: $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after ($(nproc) cores)"
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]}" >&2
  exit 1
fi
