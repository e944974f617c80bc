#!/usr/bin/env bash
# Runs every libFuzzer target built in a folder for a number of seconds each.
# Inputs that crash or hang are written into tests/data/fuzz/<target>/ for the tests.
set -uo pipefail
build_dir=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build_dir"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build_dir/corpus/$name"
  findings="$root/tests/data/fuzz/$name"
  mkdir -p "$corpus" "$findings"
  seeds=()
  [ -d "$root/tests/data/fuzz/seeds/$name" ] && seeds+=("$root/tests/data/fuzz/seeds/$name")
  echo "== $name: ${seconds}s"
  QT_QPA_PLATFORM=offscreen "$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=256 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "${seeds[@]}" 2>&1 \
    | grep -E '^(#[0-9]+ +DONE|stat::|==[0-9]+==ERROR|SUMMARY|Done)' || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
done
exit $status
