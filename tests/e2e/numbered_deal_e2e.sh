#!/usr/bin/env bash
# Numbered deals in the real window under a private X server: Klondike is
# on the table (another deal), Ctrl+G opens Choose deal, 1234 and Enter deal
# that hand. The hand the window keeps is the one the headless driver keeps
# after "deal 1234", and a second start of the window on the driver's kept
# hand shows the very same table, pixel for pixel.
#   numbered_deal_e2e.sh VEXASOLIT VEXASIM SOURCE_DIR
# Screenshots are kept in $E2E_SHOTS (default: a temporary folder).
set -euo pipefail
app="$(realpath "$1")"
sim="$(realpath "$2")"
root="$(realpath "$3")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"

e2e_begin
export XDG_DATA_HOME="$work/xdg"
mkdir -p "$XDG_DATA_HOME" "$work/window" "$work/driver"
for folder in window driver; do
  printf '[Gamelist]\nKlondike=klondike.ini\n' > "$work/$folder/vexasolit.ini"
  cp "$root/games/klondike.ini" "$work/$folder/"
done
# The window starts on another hand of Klondike, kept by the driver; the
# driver's own folder keeps deal 1234, dealt after other hands.
(cd "$work/window" && printf 'select Klondike\n' | "$sim" --seed 99 >/dev/null)
(cd "$work/driver" && printf 'select Klondike\ndeal\ndeal\ndeal 1234\n' | "$sim" --seed 5 >/dev/null)
grep -q '^DealNumber=99$' "$work/window/hand.ini" || e2e_fail "the driver kept no hand to start from"
grep -q '^DealNumber=1234$' "$work/driver/hand.ini" || e2e_fail "the driver did not keep deal 1234"

title="Vexa Solitaire:  Klondike"
# Starts the window on a folder; MX, MY: the window's corner.
start_app() {
  e2e_launch "$title" "$1"
  xdotool mousemove 0 0
}
stop_app() { kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""; }
# The table below the menu bar, above the status bar.
region() { echo "780x500+$MX+$((MY + 25))"; }

start_app "$work/window"
e2e_settled "$shots/deal-99.png" "$(region)" || e2e_fail "the table did not settle"
before=$(sha256sum < "$work/window/hand.ini")
e2e_focus "$main"
xdotool key ctrl+g
dialog=$(e2e_wait_window "Vexa Solitaire") || e2e_fail "Choose deal did not open"
xdotool windowfocus "$dialog"
e2e_wait e2e_focused "$dialog" || e2e_fail "the dialog did not take the keyboard"
xdotool key ctrl+a type 1234
e2e_shot "$shots/choose-deal.png"
xdotool key Return
e2e_window_gone "Vexa Solitaire" || e2e_fail "Choose deal did not close"
e2e_wait grep -q '^DealNumber=1234$' "$work/window/hand.ini" || e2e_fail "the window did not deal 1234"
[ "$(sha256sum < "$work/window/hand.ini")" != "$before" ] || e2e_fail "the hand was not kept anew"
e2e_settled "$shots/window-1234.png" "$(region)" || e2e_fail "the table did not settle"
stop_app

# The same hand, the same cards: the kept files agree (deal, piles, hints).
cmp -s "$work/window/hand.ini" "$work/driver/hand.ini" || {
  diff "$work/window/hand.ini" "$work/driver/hand.ini" | head -20 >&2
  e2e_fail "the window's deal 1234 is not the driver's"
}
# And the window shows the driver's hand as it showed its own.
start_app "$work/driver"
e2e_settled "$shots/driver-1234.png" "$(region)" || e2e_fail "the table did not settle"
e2e_same "$shots/window-1234.png" "$shots/driver-1234.png" "$(region)" ||
  e2e_fail "the driver's deal 1234 looks different in the window"
e2e_same "$shots/deal-99.png" "$shots/driver-1234.png" "$(region)" &&
  e2e_fail "deal 99 and deal 1234 look alike"
stop_app
echo "e2e: numbered deal passed"
