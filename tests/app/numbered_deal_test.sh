#!/usr/bin/env bash
# Numbered deals through the headless driver: "deal N" shows the same table
# in runs with different seeds and after any number of earlier deals (and it
# is the first hand of a run started with --seed N); other numbers give other
# tables; a line the solver finds for a numbered deal wins it in a run of
# another seed. The solver is held to a number of positions, so the answers
# are the same on every machine.
#   numbered_deal_test.sh VEXASIM SOURCE_DIR
set -u
sim="$(realpath "$1")"
root="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root"/games/*.ini "$work"/
failed=0
fail() {
  echo "FAIL $*"
  failed=$((failed + 1))
}

# The table after the script's last command: the lines of its last "show".
table() {
  local seed="$1"
  shift
  (cd "$work" && printf '%s\n' "$@" show | "$sim" --seed "$seed") | awk '/^caption /{block=""} {block=block $0 "\n"} END{printf "%s", block}'
}

for game in "Klondike" "FreeCell" "Spider (800x600)" "La Belle Lucie"; do
  reference=$(table 1 "select $game" "deal 1234")
  grep -q '^pile ' <<<"$reference" || fail "$game: no table shown"
  for seed in 2 4000000000; do
    for earlier in 0 1 5; do
      script=("select $game")
      for ((i = 0; i < earlier; i++)); do script+=(deal "click pile PILE01" restart); done
      script+=("deal 1234")
      [ "$(table "$seed" "${script[@]}")" = "$reference" ] || fail "$game: deal 1234 differs (seed $seed, $earlier earlier deals)"
    done
  done
  [ "$(table 1234 "select $game")" = "$reference" ] || fail "$game: deal 1234 is not the first hand of --seed 1234"
  [ "$(table 1 "select $game" "deal 1234" "click pile PILE01" restart)" = "$reference" ] ||
    fail "$game: restart does not give deal 1234 again"
  seen=("$reference")
  for number in 1235 0 4294967295; do
    other=$(table 1 "select $game" "deal $number")
    for earlier in "${seen[@]}"; do
      [ "$other" = "$earlier" ] && fail "$game: deal $number gives the table of an earlier number"
    done
    seen+=("$other")
  done
done

# Numbers out of range or not numbers are refused; nothing is dealt.
out=$(cd "$work" && printf 'deal 5\nselect Klondike\ndeal 4294967296\ndeal -1\ndeal 12a\n' | "$sim" --seed 1)
expected='sim "deal takes a number from 0 to 4294967295"
sim "deal takes a number from 0 to 4294967295"
sim "deal takes a number from 0 to 4294967295"'
[ "$out" = "$expected" ] || fail "bad numbers: got: $out"
[ "$(table 1 "deal 5" "select Klondike" "deal 12a")" = "$(table 1 "select Klondike")" ] ||
  fail "a refused number changed the table"

# A game won from a numbered deal, replayed in a run of another seed.
for game in "FreeCell" "Klondike"; do
  answer=$(cd "$work" && printf 'select %s\ndeal 1234\nsolve 120 300000\n' "$game" | "$sim" --seed 1)
  if ! grep -q '^solve won ' <<<"$answer"; then
    fail "$game: no winning line for deal 1234: $(grep '^solve' <<<"$answer")"
    continue
  fi
  line=$(sed -n '/^solve won /,$p' <<<"$answer" | tail -n +2)
  result=$(cd "$work" && printf 'select %s\ndeal\ndeal 1234\n%s\n' "$game" "$line" | "$sim" --seed 31337)
  grep -q '^victory ' <<<"$result" || fail "$game: the line for deal 1234 does not win in another run"
done

if [ "$failed" -eq 0 ]; then echo "numbered deals: passed"; else echo "numbered deals: $failed failed"; fi
[ "$failed" -eq 0 ]
