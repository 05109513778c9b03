#!/usr/bin/env bash
# The kept hand through the headless driver, on copies of the bundled games:
#  1. a run plays part of a Klondike hand (seed 2) and exits; the next run,
#     with another seed, says "resume" and shows the identical table, score
#     and state; undo walks back to the deal, redo forward again, and the
#     statistics count the hand once;
#  2. the driver is killed (SIGKILL) again and again at a step chosen from a
#     fixed sequence, right after the next command was sent: the next run
#     resumes a whole table equal to the hand after one of the last two
#     steps (whatever the moment the kill hit), and the catalogue is whole.
# Stale and damaged files are tested in HandKeepingTest and in the window.
set -euo pipefail
sim="$(realpath "$1")"
root="$(realpath "$2")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

fresh() {
  rm -rf "$work/play"
  mkdir -p "$work/play"
  cp "$root"/games/*.ini "$work/play/"
}
# The steps: the start of a won Klondike hand, before its winning moves.
grep -v '^#' "$root/tests/app/sim/klondike-won/input.sim" | grep -v '^select' | head -n 90 > "$work/steps"
mapfile -t steps < "$work/steps"
count=${#steps[@]}
# The last table shown by a driver's output (from its last "caption").
last_table() { awk '/^caption /{t=""} {t=t $0 "\n"} END{printf "%s", t}'; }
# Every card of the deck exactly once on the table (drag pile included).
whole_table() {
  grep -E '^(pile|drag)' | tr ' ' '\n' | grep -E '^\.?[0-9]+[du]$' | tr -d '.du' | sort -n | uniq -c |
    awk '$1 != 1 { bad = 1 } END { exit bad || NR != 52 }'
}
run() { (cd "$work/play" && "$sim" "$@"); }

# --- 1. exit, resume, undo to the deal, redo, statistics ---------------------
fresh
{ echo "select Klondike"; echo show; head -n 40 "$work/steps"; echo undo; echo undo; echo show; echo exit; } > "$work/first"
run --seed 2 < "$work/first" > "$work/first.out"
dealt=$(awk '/^caption /{n++} n==1' "$work/first.out")
played=$(last_table < "$work/first.out")
grep -q '^menu .* undo 1' <<< "$played" || fail "the first run left nothing to undo"
grep -q 'GamesPlayed=0' "$work/play/vexasolit.ini" || fail "exit counted the kept hand"
{ echo resume; echo show; for _ in $(seq 60); do echo undo; done; echo show
  for _ in $(seq 60); do echo redo; done; echo show; echo stats; echo exit; } > "$work/second"
run --seed 4242 < "$work/second" > "$work/second.out"
resumed=$(awk '/^caption /{n++} n==1' "$work/second.out")
[ "$resumed" = "$played" ] || { diff <(echo "$played") <(echo "$resumed") >&2; fail "the resumed table differs"; }
back=$(awk '/^caption /{n++} n==2' "$work/second.out" | grep -E '^(pile|drag|window|caption)')
[ "$back" = "$(echo "$dealt" | grep -E '^(pile|drag|window|caption)')" ] || fail "undo did not walk back to the deal"
forward=$(awk '/^caption /{n++} n==3' "$work/second.out" | grep -E '^(pile|drag)')
# Redo goes past the resumed table: the two steps undone in the first run.
[ "$forward" != "$(echo "$played" | grep -E '^(pile|drag)')" ] || fail "redo did not walk forward"
grep -q '^stats "Klondike" played 1 ' "$work/second.out" || fail "the hand is not counted once: $(grep ^stats "$work/second.out")"
grep -q 'GamesPlayed=0' "$work/play/vexasolit.ini" || fail "the second exit counted the kept hand"
echo "kept hand: exit and resume passed"

# --- 2. killed at any moment ---------------------------------------------------
# The reference: the table kept after each step, that is the last one shown
# with no cards carried (carried cards are kept put back).
fresh
{ echo "select Klondike"; echo show; for s in "${steps[@]}"; do echo "$s"; echo show; done; } |
  run --seed 2 > "$work/reference.out"
awk '/^caption /{ if (t != "") print t > (dir "/shown." n); n++; t="" } { t = t $0 "\n" } END { print t > (dir "/shown." n) }' \
  dir="$work" n=0 "$work/reference.out"
kept=""
for k in $(seq 1 $((count + 1))); do
  # shown.1 is the deal, shown.(k+1) the table after step k.
  f="$work/shown.$k"
  if ! grep -q '^state carrying 1' "$f"; then kept="$f"; fi
  cp "$kept" "$work/kept.$((k - 1))"
done

RANDOM=19
kills=0
for _ in $(seq 30); do
  fresh
  catalogue=$(sha256sum < "$work/play/vexasolit.ini")
  k=$((RANDOM % (count - 1) + 1))
  coproc SIM { cd "$work/play" && exec "$sim" --seed 2; }
  pid=$SIM_PID
  echo "select Klondike" >&"${SIM[1]}"
  for i in $(seq 0 $((k - 1))); do
    printf '%s\nshow\n' "${steps[$i]}" >&"${SIM[1]}"
    # The step is done once its table was shown.
    while IFS= read -r line <&"${SIM[0]}"; do [ "${line%% *}" = drag ] && break; done
  done
  printf '%s\nshow\n' "${steps[$k]}" >&"${SIM[1]}"
  kill -9 "$pid"
  wait "$pid" 2>/dev/null || true
  kills=$((kills + 1))
  out=$(printf 'resume\nshow\n' | run --seed 77)
  table=$(last_table <<< "$out")
  grep -q 'no kept hand' <<< "$out" && fail "killed after step $k: nothing to resume"
  whole_table <<< "$table" || fail "killed after step $k: a card is missing or twice on the table"
  if [ "$table" != "$(cat "$work/kept.$k")" ] && [ "$table" != "$(cat "$work/kept.$((k + 1))")" ]; then
    diff "$work/kept.$k" <(echo "$table") >&2 || true
    fail "killed after step $k: the resumed table is neither step $k nor step $((k + 1))"
  fi
  [ "$(sha256sum < "$work/play/vexasolit.ini")" = "$catalogue" ] || fail "killed after step $k: the catalogue changed"
done
echo "kept hand: $kills kills passed"
