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
e2e_bundle keep
game="Stock and waste"

# Finds the main window titled $1 (started with the program when $2 is
# "start"), waits until it settles and gives it the keyboard, which no
# window manager does here.
locate() {
  if [ "${2:-}" = start ]; then e2e_launch "$1"; else e2e_locate "$1"; fi
  e2e_settled "$work/start.png" "200x100+$MX+$MY" || e2e_fail "the window did not settle"
  e2e_focus "$main"
  xdotool mousemove 0 0
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
  dialog=$(e2e_wait_window "Card back") || e2e_fail "the dialog \"Card back\" did not open"
  e2e_focus "$dialog"
}
stock_differs() { ! e2e_same "$1" "$2" "$(stock)"; }

# --- 1. a back chosen --------------------------------------------------------
e2e_launch "Vexa Solitaire"
e2e_choose_game
locate "Vexa Solitaire:  $game"
settled_table "$shots/before.png"
grep -qi '^CardBack=' "$data/vexasolit.ini" && e2e_fail "a back was kept before one was chosen"

open_dialog
xdotool key Right Right Return
e2e_window_gone "Card back" || e2e_fail "the dialog did not close"
e2e_until "$shots/after.png" stock_differs "$shots/before.png" "$shots/after.png" ||
  e2e_fail "the stock's picture did not change"
settled_table "$shots/after.png"
stock_differs "$shots/before.png" "$shots/after.png" || e2e_fail "the stock went back to its old picture"
e2e_same "$shots/before.png" "$shots/after.png" "$(rest)" || e2e_fail "more than the stock changed"
grep -q '^CardBack=8$' "$data/vexasolit.ini" || e2e_fail "the catalogue does not keep CardBack=8"
chosen=$(stock_pixels "$shots/after.png")
echo "e2e: a chosen back shows on the stock"

# --- 2. Exit and a new start ---------------------------------------------------
e2e_exit
locate "Vexa Solitaire:  $game" start
settled_table "$shots/restart.png"
[ "$(stock_pixels "$shots/restart.png")" = "$chosen" ] || e2e_fail "the stock does not show the chosen back after a restart"
e2e_exit
echo "e2e: the back stays after a restart"
