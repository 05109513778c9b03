#!/usr/bin/env bash
# Runs one fuzz target: run_fuzz.sh BINARY SOURCE_ROOT TARGET
#  1. replays every reproducer kept under tests/fuzz/reproducers/TARGET/;
#  2. fuzzes for FUZZ_SECONDS seconds (default 5) from a seed corpus taken
#     from games/ (whole files, or for the value splitter the values of their
#     PILE, BUTTON, Preplay and Extract lines) plus the reproducers.
# A crash leaves its input in FUZZ_ARTIFACTS (default: ./fuzz-artifacts).
set -euo pipefail
bin="$1"
root="$2"
target="$3"
seconds="${FUZZ_SECONDS:-5}"
artifacts="$(realpath -m "${FUZZ_ARTIFACTS:-fuzz-artifacts}")/$target"
mkdir -p "$artifacts"
# The targets write their files under TMPDIR; memory is much faster than a
# disk that every atomic replace syncs.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR="${TMPDIR:-/dev/shm}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

reproducers=("$root/tests/fuzz/reproducers/$target"/*)
if [ -e "${reproducers[0]}" ]; then
  "$bin" -artifact_prefix="$artifacts/" "${reproducers[@]}" >"$work/replay.log" 2>&1 ||
    { cat "$work/replay.log"; echo "FAIL $target: a reproducer fails"; exit 1; }
  echo "$target: ${#reproducers[@]} reproducers replayed"
fi

mkdir "$work/seeds" "$work/corpus"
if [ "$target" = split ]; then
  n=0
  grep -h -i -E '^(PILE|BUTTON|Preplay|Extract)[^=]*=' "$root"/games/*.ini | cut -d= -f2- | sort -u |
    while IFS= read -r value; do
      n=$((n + 1))
      printf '%s' "$value" > "$work/seeds/value$n"
    done
else
  cp "$root"/games/*.ini "$work/seeds/"
fi
cp "$root/tests/fuzz/reproducers/$target"/* "$work/seeds/" 2>/dev/null || true

"$bin" -max_total_time="$seconds" -seed=1 -max_len=16384 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$artifacts/" "$work/corpus" "$work/seeds" >"$work/fuzz.log" 2>&1 ||
  { tail -60 "$work/fuzz.log"; echo "FAIL $target: see $artifacts"; exit 1; }
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
echo "$target: ${seconds}s, $runs executions, no finding"
