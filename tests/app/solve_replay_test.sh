#!/usr/bin/env bash
# The solver's winning lines replay through the driver: for deals of the
# bundled games that the solver wins within a fixed number of positions, the
# line it prints is fed to a fresh vexasim with the same seed, which must
# print the victory line. A state limit keeps the answers the same on every
# machine; the time limit is only a guard. A line of the list is
# GAME|SEED, or GAME|SEED|STATES for a deal that needs more positions.
set -u
sim="$(realpath "$1")"
root="$2"
find="$root/scripts/find-winning-script.sh"
passed=0
failed=0
while IFS='|' read -r game seed states; do
  [ -n "$game" ] || continue
  [ -f "$root/games/vexasolit.ini" ] && grep -q "^$game=" "$root/games/vexasolit.ini" || continue
  work=$(mktemp -d)
  cp "$root"/games/*.ini "$work"/
  if ! script=$("$find" "$sim" "$root/games" "$game" "$seed" 120 "${states:-300000}"); then
    echo "FAIL $game seed $seed: no winning line"
    failed=$((failed + 1))
  elif (cd "$work" && printf '%s\n' "$script" | "$sim" --seed "$seed" 2>&1) | grep -q '^victory '; then
    passed=$((passed + 1))
  else
    echo "FAIL $game seed $seed: the line does not reach the victory"
    printf '%s\n' "$script" | head -20
    failed=$((failed + 1))
  fi
  rm -rf "$work"
done < "$root/tests/app/solve_replay.list"
echo "solve replay: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
