#!/usr/bin/env bash
# Runs the benchmarks and prints their figures. The soak (10 minutes) runs only
# with SOAK=1.
set -uo pipefail
build_dir=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
for b in "$build_dir"/bench/*/pvstim_bench_*; do
  case "$(basename "$b")" in pvstim_bench_startup) continue ;; esac
  [ -x "$b" ] && echo "== $(basename "$b")" && "$b"
done
"$root/bench/startup.sh" "$build_dir"
"$root/bench/idle.sh" "$build_dir"
[ -n "${SOAK:-}" ] && "$root/bench/soak.sh" "$build_dir"
exit 0
