#!/usr/bin/env bash
# The card back of the player's choice in the real window under a private X
# server, on a game whose stock is dealt face down ("Stock and waste"):
#  1. View > "Card back…" through the menu with the keyboard, two tiles to
#     the right, Enter: the stock's picture changes, and only the stock's
#     and the catalogue keeps CardBack=8;
#  2. Game > Exit and a new start: the stock shows the chosen back again.
# Every wait is for a condition (a window shown or gone, the screen
# settled); no outcome depends on how fast the machine is.
set -euo pipefail
app="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"

e2e_begin
export XDG_DATA_HOME="$work/xdg"
data="$XDG_DATA_HOME/vexasolit"
mkdir -p "$data" "$work/bundle"
cp "$here"/data/keep/*.ini "$work/bundle/"
export VEXA_GAMES_DIR="$work/bundle"
game="Stock and waste"

# Starts the program and waits for the window titled $1.
start_app() {
  "$app" >"$work/app.log" 2>&1 &
  APP_PID=$!
  locate "$1"
}
# MX, MY: the main window's corner; TX, TY: the table area's (below the
# menu bar).
locate() {
  main=$(e2e_wait_window "$1") || { cat "$work/app.log" >&2; e2e_fail "no window \"$1\""; }
  read -r MX MY < <(e2e_window_origin "$main")
  e2e_settled "$work/start.png" "200x100+$MX+$MY" || e2e_fail "the window did not settle"
  TX=$MX
  TY=$((MY + 20))
  # No window manager gives the keyboard to the main window.
  e2e_focus "$main"
  xdotool mousemove 0 0
}
exit_app() {
  e2e_menu $((MX + 20)) $((MY + 10)) x
  wait "$APP_PID" || { cat "$work/app.log" >&2; e2e_fail "the program did not end cleanly"; }
  APP_PID=""
}
# The stock (PILE01, 20,10 71x96) and the rest of the table beside it.
stock() { echo "71x96+$((TX + 20))+$((TY + 10))"; }
rest() { echo "280x96+$((TX + 110))+$((TY + 10))"; }
# Settles the table and keeps the shot in $1.
settled_table() { e2e_settled "$1" "380x110+$((TX + 10))+$((TY + 5))" || e2e_fail "the table did not settle"; }
# The stock's pixels of shot $1.
stock_pixels() { convert "$1" -crop "$(stock)" +repage rgb:- | sha256sum; }
# Opens Game, moves right to View (Game, Edit, View) and down to its fourth
# item, "Card back…", and waits for the dialog.
open_dialog() {
  e2e_menu $((MX + 20)) $((MY + 10)) Right Right
  # Full screen (active once the menu opens), Table style, Animations,
  # Card back…
  xdotool key Down Down Down Return
  e2e_wait_window "Card back" >/dev/null || e2e_fail "the dialog \"Card back\" did not open"
  dialog=$(e2e_wait_window "Card back")
  e2e_focus "$dialog"
}
close_dialog() {
  xdotool key "$@"
  e2e_window_gone "Card back" || e2e_fail "the dialog did not close"
}
stock_differs() { ! e2e_same "$1" "$2" "$(stock)"; }

# --- 1. a back chosen --------------------------------------------------------
start_app "Vexa Solitaire"
xdotool mousemove $((MX + 40)) $((MY + 60)) click 1
e2e_wait_window "Please choose a game to play" >/dev/null || e2e_fail "the chooser did not open"
xdotool key Return
locate "Vexa Solitaire:  $game"
settled_table "$shots/before.png"
grep -qi '^CardBack=' "$data/vexasolit.ini" && e2e_fail "a back was kept before one was chosen"

open_dialog
close_dialog Right Right Return
e2e_until "$shots/after.png" stock_differs "$shots/before.png" "$shots/after.png" ||
  e2e_fail "the stock's picture did not change"
settled_table "$shots/after.png"
stock_differs "$shots/before.png" "$shots/after.png" || e2e_fail "the stock went back to its old picture"
e2e_same "$shots/before.png" "$shots/after.png" "$(rest)" || e2e_fail "more than the stock changed"
grep -q '^CardBack=8$' "$data/vexasolit.ini" || e2e_fail "the catalogue does not keep CardBack=8"
chosen=$(stock_pixels "$shots/after.png")
echo "e2e: a chosen back shows on the stock"

# --- 2. Exit and a new start ---------------------------------------------------
exit_app
start_app "Vexa Solitaire:  $game"
settled_table "$shots/restart.png"
[ "$(stock_pixels "$shots/restart.png")" = "$chosen" ] || e2e_fail "the stock does not show the chosen back after a restart"
exit_app
echo "e2e: the back stays after a restart"
