#!/usr/bin/env bash
# Runs every scripted game under tests/app/sim/<case>/:
#   input.sim          commands fed to vexasim
#   expected.out       what vexasim must print
#   args               optional command-line options (default: --seed 12345)
#   *.ini              files laid over a copy of the bundled games/
#   catalogue.expected optional: vexasolit.ini afterwards, TimeInGame lines left out
#   time-grows         optional: TimeInGame afterwards must exceed the case's own
# Prints "N passed, N failed" and fails when any case fails.
set -u
sim="$1"
root="$2"
passed=0
failed=0
for dir in "$root"/tests/app/sim/*/; do
  [ -f "$dir/input.sim" ] || continue
  name=$(basename "$dir")
  work=$(mktemp -d)
  cp "$root"/games/*.ini "$work"/
  cp "$dir"/*.ini "$work"/ 2>/dev/null || true
  args="--seed 12345"
  [ -f "$dir/args" ] && args=$(cat "$dir/args")
  # shellcheck disable=SC2086
  (cd "$work" && "$sim" $args < "$dir/input.sim" > "$work/actual.out" 2>&1)
  ok=1
  if ! diff -u "$dir/expected.out" "$work/actual.out" > "$work/diff"; then
    ok=0
    echo "FAIL $name: output differs"
    head -40 "$work/diff"
  fi
  if [ -f "$dir/catalogue.expected" ]; then
    if ! grep -v '^TimeInGame=' "$work/vexasolit.ini" | diff -u "$dir/catalogue.expected" - > "$work/diff"; then
      ok=0
      echo "FAIL $name: catalogue differs"
      head -40 "$work/diff"
    fi
  fi
  if [ -f "$dir/time-grows" ]; then
    before=$(sed -n 's/^TimeInGame=//p' "$dir/vexasolit.ini" | tr -d '\r')
    after=$(sed -n 's/^TimeInGame=//p' "$work/vexasolit.ini" | tr -d '\r')
    if ! awk -v a="$after" -v b="$before" 'BEGIN { exit !(a + 0 > b + 0) }'; then
      ok=0
      echo "FAIL $name: TimeInGame did not grow ($before -> $after)"
    fi
  fi
  if [ $ok -eq 1 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  rm -rf "$work"
done
echo "sim: $passed passed, $failed failed"
[ $failed -eq 0 ]
