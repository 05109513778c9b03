#!/usr/bin/env bash
# End-to-end play in the real game window under a private X server, on the
# small games of data/play:
#  0. "Lift and drop": a drag moves a run onto the empty pile (the cards fly
#     under the pointer), Ctrl+Z takes it back, Ctrl+Y redoes it exactly, a
#     drag released over the background returns the cards;
#  1. "Lift and drop": a click lifts the top card (the pointer becomes the
#     carry pointer), a click on the empty pile drops it, Ctrl+Z takes the
#     move back; the secondary button held on a card peeks at its pile (no
#     scroll bar, the pile's origin shown) and its release, over another
#     pile, restores the bar and its position;
#  2. "Quick win": two clicks win the hand and show the victory dialog;
#  3. "Autowin": Ctrl+A plays every card to the foundations and wins; the
#     statistics dialog and, after exit, the catalogue hold the new figures;
#  5. keys only: Enter on the welcome screen, the chooser, then the focus
#     frame (shown only after the first key), a card to a foundation, then
#     Ctrl+A to the victory dialog and Enter to close it.
# Screenshots are kept in $E2E_SHOTS (default: a temporary folder).
set -euo pipefail
app="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"

e2e_begin
# The program plays in $XDG_DATA_HOME/vexasolit, seeded from a bundle that
# holds the same games.
export XDG_DATA_HOME="$work/xdg"
data="$XDG_DATA_HOME/vexasolit"
mkdir -p "$data" "$work/bundle"
cp "$here"/data/play/*.ini "$data/"
cp "$data"/*.ini "$work/bundle/"
export VEXA_GAMES_DIR="$work/bundle"

start_app() {
  "$app" >"$work/app.log" 2>&1 &
  APP_PID=$!
  main=$(e2e_wait_window "Vexa Solitaire") || { cat "$work/app.log" >&2; e2e_fail "no main window"; }
  read -r MX MY < <(e2e_window_origin "$main")
  e2e_settled "$work/start.png" "200x100+$MX+$MY" || e2e_fail "the welcome window did not settle"
}
# Double-clicks row $1 of the open chooser and waits for the game's window;
# TX, TY: the table area's top-left corner on the screen (below the menu bar).
choose_row() {
  local chooser
  chooser=$(e2e_wait_window "Please choose a game to play") || e2e_fail "the chooser did not open"
  read -r CX CY < <(e2e_window_origin "$chooser")
  xdotool mousemove $((CX + 60)) $((CY + 17 + 16 * $1 + 8)) click --repeat 2 --delay 60 1
  table=$(e2e_wait_window "Vexa Solitaire:  $2") || e2e_fail "$2 was not loaded"
  read -r MX MY < <(e2e_window_origin "$table")
  TX=$MX
  TY=$((MY + 20))
  # No window manager gives the keyboard back to the main window.
  e2e_focus "$table"
  e2e_settled "$work/loaded.png" "400x150+$TX+$TY" || e2e_fail "$2 did not settle"
}
select_game() {
  e2e_menu $((MX + 20)) $((MY + 10)) s
  choose_row "$@"
}
# The pointer's picture: "width height xhot yhot yellow-pixels".
pointer() { python3 "$here/cursor_image.py" "$@"; }
share() { e2e_share "$1" "$2" "$3"; }

start_app
xdotool mousemove $((MX + 40)) $((MY + 60)) click 1
choose_row 1 "Lift and drop"

# --- 1. drag and drop -------------------------------------------------------
# PILE1 (20,10 71x150) holds ten face-up cards fanned downwards by 17
# pixels; its rule lifts a card with the cards above it. Drag the eighth
# card (and the two above it) onto the empty PILE2, in steps.
pile2="71x60+$((TX + 120))+$((TY + 10 + 20))"
pile2low="71x30+$((TX + 120))+$((TY + 10 + 95))"
green="rgb(0,128,0)"
xdotool mousemove $((TX + 40)) $((TY + 10 + 7 * 17 + 6)) mousedown 1
for step in 1 2 3 4 5 6; do
  xdotool mousemove $((TX + 40 + 10 * step)) $((TY + 10 + 125 - 8 * step))
done
# The run flies beside its pile: white paper between the piles.
flying() { e2e_holds "$(share "$1" "20x60+$((TX + 95))+$((TY + 90))" "rgb(240,240,240)")" "v < 0.5"; }
e2e_until "$shots/0-drag-in-flight.png" flying "$shots/0-drag-in-flight.png" ||
  e2e_fail "the dragged cards are not drawn under the pointer"
read -r _ _ _ _ yellow < <(pointer)
# The cards themselves fly: the pointer shows no second card over them.
e2e_holds "$yellow" "v == 0" || e2e_fail "the carry pointer is drawn over the dragged cards"
xdotool mousemove $((TX + 150)) $((TY + 10 + 50))
xdotool mouseup 1
run_dropped() { e2e_holds "$(share "$1" "$pile2low" "$green")" "v < 0.2"; }
e2e_until "$shots/0-dragged.png" run_dropped "$shots/0-dragged.png" || e2e_fail "the drag did not move the run"
piles="171x150+$((TX + 20))+$((TY + 10))"
e2e_settled "$shots/0-dragged.png" "$piles" || e2e_fail "the table did not settle after the drag"
read -r _ _ _ _ yellow < <(pointer)
e2e_holds "$yellow" "v == 0" || e2e_fail "the carry pointer stayed after the drag"
xdotool key ctrl+z
back() { e2e_holds "$(share "$1" "$pile2" "$green")" "v > 0.95"; }
e2e_until "$shots/0-undone.png" back "$shots/0-undone.png" || e2e_fail "Ctrl+Z did not take the drag back"
# Ctrl+Y redoes it: both piles exactly as after the drag; Ctrl+Z again.
xdotool key ctrl+y
redone() { run_dropped "$1" && e2e_same "$shots/0-dragged.png" "$1" "$piles"; }
e2e_until "$shots/0-redone.png" redone "$shots/0-redone.png" ||
  e2e_fail "Ctrl+Y did not redo the drag: the table differs from the table after the drag"
xdotool key ctrl+z
e2e_until "$shots/0-undone.png" back "$shots/0-undone.png" || e2e_fail "Ctrl+Z did not take the redone drag back"
# Released over the background: the cards go back.
xdotool mousemove $((TX + 40)) $((TY + 10 + 8 * 17 + 6)) mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((TX + 40 + 40 * step)) $((TY + 10 + 140 + 10 * step)); done
# Shown while the run flies: the pile's lower part shows the window's
# background. Then the release brings back the pile as it was.
pile1low="71x20+$((TX + 20))+$((TY + 10 + 130))"
lifted() { ! e2e_same "$shots/0-undone.png" "$1" "$pile1low"; }
e2e_until "$shots/0-drag-away.png" lifted "$shots/0-drag-away.png" || e2e_fail "the second drag did not lift the run"
xdotool mouseup 1
returned() { back "$1" && e2e_same "$shots/0-undone.png" "$1" "71x150+$((TX + 20))+$((TY + 10))"; }
e2e_until "$shots/0-returned.png" returned "$shots/0-returned.png" ||
  e2e_fail "a drag released over the background changed the piles"
echo "e2e: drag and drop passed"

# --- 2. lift, drop, undo, peek -----------------------------------------------
# PILE1 (20,10 71x150) holds ten face-up cards fanned downwards, more than
# it shows: a vertical scroll bar. Scroll it to its end with the wheel.
xdotool mousemove $((TX + 40)) $((TY + 60)) click --repeat 12 --delay 30 5
pile1="52x40+$((TX + 20))+$((TY + 10 + 105))"   # the lower part, left of the bar
scrolled_to_end() { e2e_holds "$(share "$1" "$pile1" "$green")" "v < 0.05"; }
e2e_until "$shots/1-before.png" scrolled_to_end "$shots/1-before.png" || e2e_fail "PILE1 does not show its top card"
read -r _ _ _ _ yellow < <(pointer)
e2e_holds "$yellow" "v == 0" || e2e_fail "the pointer is yellow before any lift"

xdotool mousemove $((TX + 40)) $((TY + 10 + 130)) click 1
carry_pointer() {
  read -r w h xhot yhot yellow < <(pointer "$work/carry.pam")
  [ "$w $h $xhot $yhot" = "32 32 15 0" ] && e2e_holds "$yellow" "v > 100"
}
e2e_wait carry_pointer || e2e_fail "no carry pointer after the lift"
convert "$work/carry.pam" "$shots/2-carry-pointer.png"
echo "carry pointer: ${w}x$h hot spot ($xhot, $yhot), $yellow yellow pixels"
# The lifted card left its pile, which still shows its (new) top card.
e2e_until "$shots/2-lifted.png" scrolled_to_end "$shots/2-lifted.png" ||
  e2e_fail "the pile does not show its top card while carrying"

xdotool mousemove $((TX + 150)) $((TY + 10 + 50)) click 1
dropped() { e2e_holds "$(share "$1" "$pile2" "$green")" "v < 0.2"; }
e2e_until "$shots/3-dropped.png" dropped "$shots/3-dropped.png" || e2e_fail "the card was not dropped on PILE2"
read -r _ _ _ _ yellow < <(pointer)
e2e_holds "$yellow" "v == 0" || e2e_fail "the carry pointer stayed after the drop"

xdotool key ctrl+z
undone() { e2e_holds "$(share "$1" "$pile2" "$green")" "v > 0.95" && scrolled_to_end "$1"; }
e2e_until "$shots/4-undone.png" undone "$shots/4-undone.png" || e2e_fail "Ctrl+Z did not take the move back"

# The peek: the pile's scroll bar column shows the cards' white paper
# instead of the bar.
bar="12x100+$((TX + 20 + 58))+$((TY + 10 + 20))"
e2e_shot "$shots/5-before-peek.png"
bar_before=$(share "$shots/5-before-peek.png" "$bar" "rgb(255,255,255)")
xdotool mousemove $((TX + 40)) $((TY + 10 + 130)) mousedown 3
peeking() { e2e_holds "$(share "$1" "$bar" "rgb(255,255,255)")" "v > $bar_before + 0.2"; }
e2e_until "$shots/6-peek.png" peeking "$shots/6-peek.png" || e2e_fail "the secondary button did not peek"
xdotool mousemove $((TX + 150)) $((TY + 10 + 50)) mouseup 3
restored() { e2e_same "$shots/5-before-peek.png" "$1" "71x150+$((TX + 20))+$((TY + 10))"; }
e2e_until "$shots/7-after-peek.png" restored "$shots/7-after-peek.png" ||
  e2e_fail "the release did not restore the pile's bar and position"
echo "e2e: lift, drop, undo and peek passed"

# --- 3. a hand won by play ---------------------------------------------------
select_game 2 "Quick win"
xdotool mousemove $((TX + 150)) $((TY + 10 + 40)) click 1
xdotool mousemove $((TX + 250)) $((TY + 10 + 100)) click 1
victory=$(e2e_wait_window "Victory!") || e2e_fail "no victory dialog after the winning move"
e2e_shot "$shots/8-victory-by-play.png"
xdotool windowfocus "$victory" key Return
e2e_window_gone "Victory!" || e2e_fail "the victory dialog did not close"
echo "e2e: victory by play passed"

# --- 4. autoplay wins, statistics --------------------------------------------
select_game 0 "Autowin"
foundations="400x96+$((TX + 120))+$((TY + 10))"
xdotool key ctrl+a
victory=$(e2e_wait_window "Victory!") || { e2e_shot "$shots/9-no-victory.png"; e2e_fail "Ctrl+A did not win"; }
e2e_shot "$shots/9-victory-by-autoplay.png"
xdotool windowfocus "$victory" key Return
e2e_window_gone "Victory!" || e2e_fail "the victory dialog did not close"
all_played() {
  e2e_holds "$(share "$1" "71x96+$((TX + 20))+$((TY + 10))" "$green")" "v > 0.9" &&
    e2e_holds "$(share "$1" "$foundations" "rgb(255,255,255)")" "v > 0.3"
}
e2e_until "$shots/10-after-autoplay.png" all_played "$shots/10-after-autoplay.png" ||
  e2e_fail "autoplay left cards on the tableau"
e2e_menu $((MX + 20)) $((MY + 10)) t
stats=$(e2e_wait_window "Statistics") || e2e_fail "no statistics dialog"
e2e_shot "$shots/11-statistics.png"
xdotool windowfocus "$stats" key Escape
e2e_window_gone "Statistics" || e2e_fail "the statistics dialog did not close"
e2e_menu $((MX + 20)) $((MY + 10)) x
status=0
wait "$APP_PID" || status=$?
APP_PID=""
[ "$status" -eq 0 ] || e2e_fail "the program ended with status $status"
for line in GamesPlayed=1 TotalScore=52 GamesWon=1; do
  sed -n '/^\[Autowin\]/,/^\[/p' "$data/vexasolit.ini" | grep -qx "$line" ||
    e2e_fail "the catalogue lacks $line for Autowin"
done
echo "e2e: autoplay victory and statistics passed"

# --- 5. keys only: choose Autowin, move a card onto a foundation ------------
start_app
e2e_focus "$main"
xdotool key Return
chooser=$(e2e_wait_window "Please choose a game to play") || e2e_fail "Enter on the welcome screen did not open the chooser"
e2e_focus "$chooser"
xdotool key Home Return
table=$(e2e_wait_window "Vexa Solitaire:  Autowin") || e2e_fail "the keyboard did not load Autowin"
read -r MX MY < <(e2e_window_origin "$table")
TX=$MX
TY=$((MY + 20))
e2e_focus "$table"
e2e_settled "$shots/12-no-frame.png" "400x150+$TX+$TY" || e2e_fail "Autowin did not settle"
# The first key shows the frame around the tableau's top card, yellow on
# black, before anything moves.
ring="81x3+$((TX + 15))+$((TY + 10 - 4))"
e2e_holds "$(share "$shots/12-no-frame.png" "$ring" "rgb(255,255,0)")" "v == 0" || e2e_fail "a frame before any key"
xdotool key Right
framed() { e2e_holds "$(share "$1" "$2" "rgb(255,255,0)")" "v > 0.2"; }
e2e_until "$shots/12-focus-frame.png" framed "$shots/12-focus-frame.png" "$ring" || e2e_fail "no focus frame"
# Return lifts the card, Right takes the frame to the foundation.
xdotool key Return Right
e2e_until "$shots/13-focus-carrying.png" framed "$shots/13-focus-carrying.png" "81x3+$((TX + 115))+$((TY + 10 - 4))" ||
  e2e_fail "the frame did not go to the foundation"
xdotool key Return
on_foundation() { e2e_holds "$(share "$1" "71x96+$((TX + 120))+$((TY + 10))" "rgb(255,0,0)")" "v < 0.3"; }
e2e_until "$shots/14-keyboard-move.png" on_foundation "$shots/14-keyboard-move.png" ||
  e2e_fail "the keys did not move a card onto the foundation"
# Ctrl+A plays the rest; Enter closes the victory dialog.
xdotool key ctrl+a
victory=$(e2e_wait_window "Victory!") || e2e_fail "Ctrl+A did not win the keyboard hand"
xdotool windowfocus "$victory" key Return
e2e_window_gone "Victory!" || e2e_fail "Enter did not close the victory dialog"
xdotool windowfocus "$table"
e2e_menu $((MX + 20)) $((MY + 10)) x
wait "$APP_PID" || e2e_fail "the program did not end cleanly"
APP_PID=""
echo "e2e: keyboard play passed"
echo "e2e play: 5 passed, 0 failed"
