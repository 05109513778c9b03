#!/usr/bin/env bash
# The kept hand in the real window under a private X server, on a game
# whose every click on the stock is a step ("Stock and waste"):
#  1. steps played, then the program killed (SIGKILL) right after the click
#     of the next step, again and again at a step count drawn from a fixed
#     sequence: the next start shows the same game at once, with the table
#     of the last step seen or of the step after it (which Ctrl+Z then
#     takes back to the last one seen); the catalogue stays as it was;
#  2. Game > Exit, then a new start: the same table;
#  3. the definition edited: the next start shows the welcome window, no
#     message, and the kept hand is gone;
#  4. vexasolit FOLDER plays that folder's catalogue: the folder is not
#     seeded, and the player's data folder is left alone.
# Every wait is for a condition (the kept file written, the screen
# settled); the outcome never depends on when the kill hits.
set -euo pipefail
app="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"

e2e_begin
e2e_bundle keep
game="Stock and waste"
kept="$data/hand.ini"

# Starts the program; $1: the window title to wait for, then its arguments.
start_app() {
  "$app" "${@:2}" >"$work/app.log" 2>&1 &
  APP_PID=$!
  locate "$1"
}
# Finds the main window by its title (see e2e_locate) and waits for it to
# settle.
locate() {
  e2e_locate "$1"
  e2e_settled "$work/start.png" "200x100+$MX+$MY" || e2e_fail "the window did not settle"
  # No window manager gives the keyboard to the main window.
  xdotool windowfocus "$main" mousemove 0 0
}
kill_app() { kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""; }
exit_app() {
  e2e_menu $((MX + 20)) $((MY + 10)) x
  wait "$APP_PID" || e2e_fail "the program did not end cleanly"
  APP_PID=""
}
# The three piles as raw pixels, once two screenshots in a row agree.
n=0
table() {
  local a b
  for _ in $(seq "$E2E_GUARD_TENTHS"); do
    n=$((n + 1))
    e2e_shot "$shots/shot.$n.png"
    b=$(convert "$shots/shot.$n.png" -crop "300x110+$((TX + 15))+$((TY + 5))" +repage rgb:- | sha256sum)
    [ "${a:-}" = "$b" ] && { echo "$b"; return 0; }
    a=$b
    sleep 0.1
  done
  e2e_fail "the table did not settle"
}
# Waits until the kept hand's file differs from $1.
written_after() {
  for _ in $(seq "$E2E_GUARD_TENTHS"); do
    [ "$(sha256sum < "$kept" 2>/dev/null)" != "$1" ] && return 0
    sleep 0.05
  done
  e2e_fail "the step was not kept"
}
# One step: a click on the stock, seen through to the kept file; prints
# the table after it.
step() {
  local before
  before=$(sha256sum < "$kept" 2>/dev/null || true)
  xdotool mousemove $((TX + 50)) $((TY + 50)) click 1 mousemove 0 0
  written_after "$before"
  table
}

# --- 1. kills ----------------------------------------------------------------
start_app "Vexa Solitaire"
xdotool mousemove $((MX + 40)) $((MY + 60)) click 1
chooser=$(e2e_wait_window "Please choose a game to play") || e2e_fail "the chooser did not open"
xdotool key Return
locate "Vexa Solitaire:  $game"
table >/dev/null
catalogue=$(sha256sum < "$data/vexasolit.ini")
RANDOM=19
for round in $(seq 10); do
  seen=""
  for _ in $(seq $((RANDOM % 4 + 1))); do seen=$(step); done
  # The next step's click, and the kill at once.
  xdotool mousemove $((TX + 50)) $((TY + 50)) click 1
  kill_app
  start_app "Vexa Solitaire:  $game"
  shown=$(table)
  if [ "$shown" != "$seen" ]; then
    before=$(sha256sum < "$kept")
    xdotool key ctrl+z
    written_after "$before"
    [ "$(table)" = "$seen" ] || e2e_fail "round $round: the resumed table is neither the last step seen nor the next"
  fi
  [ "$(sha256sum < "$data/vexasolit.ini")" = "$catalogue" ] || e2e_fail "round $round: the catalogue changed"
done
echo "e2e: 10 kills passed"

# --- 2. Game > Exit, start again ------------------------------------------------
step >/dev/null
seen=$(step)
exit_app
start_app "Vexa Solitaire:  $game"
[ "$(table)" = "$seen" ] || e2e_fail "the table after Exit and a new start differs"
echo "e2e: exit and start again passed"

# --- 4. another folder ------------------------------------------------------------
kill_app
mkdir -p "$work/other"
cp "$here"/data/keep/*.ini "$work/other/"
player=$(cd "$data" && find . -type f -exec sha256sum {} + | sort)
start_app "Vexa Solitaire" "$work/other"
xdotool mousemove $((MX + 40)) $((MY + 60)) click 1
e2e_wait_window "Please choose a game to play" >/dev/null || e2e_fail "the chooser did not open in FOLDER"
xdotool key Return
locate "Vexa Solitaire:  $game"
kept="$work/other/hand.ini"
step >/dev/null
exit_app
[ "$(cd "$data" && find . -type f -exec sha256sum {} + | sort)" = "$player" ] || e2e_fail "FOLDER touched the data folder"
[ "$(ls -A "$work/other" | sort | tr '\n' ' ')" = "hand.ini stock.ini vexasolit.ini " ] ||
  e2e_fail "FOLDER was seeded: $(ls -A "$work/other")"
kept="$data/hand.ini"
echo "e2e: another folder passed"

# --- 3. definition edited ---------------------------------------------------------
echo "; edited" >> "$data/stock.ini"
start_app "Vexa Solitaire"
[ "$(xdotool search --onlyvisible --name '^Vexa Solitaire' | wc -l)" = 1 ] || e2e_fail "more than the welcome window"
[ ! -e "$data/hand.ini" ] || e2e_fail "the stale hand was kept"
exit_app
echo "e2e: edited definition passed"
