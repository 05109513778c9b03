#!/usr/bin/env bash
# Measures what the player waits for, under a private X server:
#  - start-up: from launch to the visible welcome window (median of 5 runs),
#    with the peak memory of each run from /usr/bin/time -v;
#  - loading: from OK in the chooser to the dealt table on screen, one and two
#    decks (Google Benchmark, tests/bench/LoadBench.cpp).
# Run after a build: scripts/measure.sh [build folder]. The comparison with
# a bare Qt window is scripts/bench-startup.sh (make bench).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$root/build}")"
. "$root/tests/e2e/lib.sh"
work=$(mktemp -d)
trap 'e2e_stop_x; rm -rf "$work"' EXIT
e2e_start_x
# The game seeds its data folder here on the first run.
export XDG_DATA_HOME="$work"

times=()
for run in 1 2 3 4 5; do
  start=$(date +%s%N)
  /usr/bin/time -v "$build/vexasolit" 2>"$work/time.$run" >/dev/null &
  pid=$!
  id=$(e2e_wait_window "Vexa Solitaire")
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  xdotool windowkill "$id" 2>/dev/null || true
  wait "$pid" || true
  peak=$(awk -F: '/Maximum resident/ { gsub(/ /, "", $2); print $2 }' "$work/time.$run")
  echo "start-up run $run: ${times[-1]} ms, peak memory ${peak} KiB"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start-up median: ${sorted[2]} ms"

VEXA_CARDS_DIR="$build" "$build/tests/load_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'median|Benchmark'

# Every picture of a table made at a new size (table size to 8x).
VEXA_CARDS_DIR="$build" "$build/tests/cardpicture_bench" 2>/dev/null | grep -E 'BM_|Benchmark'
