#!/usr/bin/env bash
# Runs every libFuzzer target built in a folder for a number of seconds each, and
# fails when any of them finds a crash, a leak, a time-out or an over-large single
# allocation. Everything a run makes stays in the build folder:
#   <build>/corpus/<target>/    the corpus the runs grow
#   <build>/seeds/<target>/     seeds generated for this run (the hostile pictures)
#   <build>/findings/<target>/  inputs that failed, with the target's log beside them
# Seeds kept with the sources are in fuzz/seeds/<target>/. A finding is turned
# into a seed there and a unit test before the run is called clean.
set -uo pipefail
build_dir=$(cd "$1" && pwd)
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)

# libFuzzer's own limits: one input may run for 2 s (the sanitizers slow the
# loaders' 100 ms bound about threefold), and no single allocation may reach
# 128 MB, above the 100 MB a small picture may cost. The resident limit only keeps
# a runaway target from taking the machine; the sanitizers' own bookkeeping lives
# under it.
limits=(-timeout=2 -malloc_limit_mb=128 -rss_limit_mb=2048)

hostile_tool="$build_dir/tools/hostile/pvstim_hostile"
status=0
for target in "$build_dir"/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build_dir/corpus/$name"
  findings="$build_dir/findings/$name"
  generated="$build_dir/seeds/$name"
  mkdir -p "$corpus" "$findings" "$generated"
  seeds=("$generated")
  [ -d "$root/fuzz/seeds/$name" ] && seeds+=("$root/fuzz/seeds/$name")
  if [ -x "$hostile_tool" ]; then
    case $name in
      fuzz_bmp) "$hostile_tool" "$generated" >/dev/null && rm -f "$generated"/*.jpg ;;
      fuzz_jpeg) "$hostile_tool" "$generated" >/dev/null && rm -f "$generated"/*.bmp ;;
    esac
  fi

  log="$findings/last-run.log"
  echo "== $name: ${seconds}s"
  QT_QPA_PLATFORM=offscreen "$target" -max_total_time="$seconds" "${limits[@]}" \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "${seeds[@]}" >"$log" 2>&1
  result=$?
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+== ?ERROR|SUMMARY|Done|.*out-of-memory|.*-timeout|.*leak)' "$log"
  if [ "$result" -ne 0 ]; then
    echo "!! $name failed (exit status $result); log and input under $findings/"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "fuzz: every target ran clean" || echo "fuzz: FAILED"
exit $status
