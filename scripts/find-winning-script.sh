#!/usr/bin/env bash
# Writes a vexasim script that plays one deal of a game to the victory line,
# with the moves the solver finds.
#
#   find-winning-script.sh VEXASIM GAMES_FOLDER GAME SEED [SECONDS [STATES]]
#       prints the script (run it with: vexasim --seed SEED < script)
#   find-winning-script.sh --case DIR VEXASIM GAMES_FOLDER GAME SEED [SECONDS [STATES]]
#       writes a scripted-game case: DIR/input.sim, DIR/args, DIR/expected.out
#
# Fails when the solver finds no win within the budget (default 30 s).
set -eu
case_dir=""
if [ "${1:-}" = "--case" ]; then
  case_dir="$(realpath -m "$2")"
  shift 2
fi
if [ $# -lt 4 ]; then
  sed -n '2,11p' "$0" >&2
  exit 2
fi
sim="$(realpath "$1")"
games="$2"
game="$3"
seed="$4"
budget="${5:-30} ${6:-}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$games"/*.ini "$work"/
answer=$(cd "$work" && printf 'select %s\nsolve %s\n' "$game" "$budget" | "$sim" --seed "$seed")
first=$(printf '%s\n' "$answer" | grep '^solve ' | head -1)
case "$first" in
  "solve won "*) ;;
  *)
    echo "no win found for $game, seed $seed: ${first:-$answer}" >&2
    exit 1
    ;;
esac
script=$(
  echo "# $game, seed $seed: a winning line found by the solver"
  echo "select $game"
  printf '%s\n' "$answer" | sed -n '/^solve won /,$p' | tail -n +2
)
if [ -z "$case_dir" ]; then
  printf '%s\n' "$script"
  exit 0
fi
mkdir -p "$case_dir"
printf '%s\n' "$script" > "$case_dir/input.sim"
echo "--seed $seed" > "$case_dir/args"
(cd "$work" && "$sim" --seed "$seed" < "$case_dir/input.sim" > "$case_dir/expected.out" 2>&1)
grep -q '^victory ' "$case_dir/expected.out" || {
  echo "the script for $game, seed $seed does not reach the victory" >&2
  exit 1
}
