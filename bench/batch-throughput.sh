#!/usr/bin/env bash
# Throughput and peak memory of the batch calculator on a generated plant list.
set -euo pipefail
build=${1:-build}
rows=${ROWS:-1000000}
list=$(mktemp --suffix=.csv)
trap 'rm -f "$list"' EXIT
"$build/bench/unctora-gen-plant" "$rows" > "$list"
echo "Plant list: $rows applications, $(du -h "$list" | cut -f1)"
for opts in "" "--format jsonl" "--log"; do
  start=$(date +%s.%N)
  /usr/bin/time -f "%M" -o "$list.mem" "$build/unctora-calc" $opts "$list" > /dev/null || true
  end=$(date +%s.%N)
  secs=$(echo "$end - $start" | bc -l)
  printf 'unctora-calc %-14s %8.2f s  %10.0f applications/s  peak RSS %s kB\n' \
    "${opts:-(csv)}" "$secs" "$(echo "$rows / $secs" | bc -l)" "$(cat "$list.mem")"
done
rm -f "$list.mem"
