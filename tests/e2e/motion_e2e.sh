#!/usr/bin/env bash
# Cards in motion in the real game window under a private X server, on the
# game of data/motion: the ace of clubs lies face up on the tableau (PILE1,
# 20,10), its foundation (PILE2, 440,10) lies far to the right, and five
# face-up cards (PILE3) change with every deal.
#  1. a double-click on the ace sends it to the foundation; frames taken
#     while it moves show it between the two piles;
#  2. F2 deals another hand; Ctrl+R, after the ace went up again, restores
#     that deal exactly;
#  3. with Animations=0 in [General] the same double-click lands at once:
#     no frame shows the ace on its way.
# Every step polls for what it checks. A card's flight takes
# VEXA_FLIGHT_MILLISECONDS here, so that even a slow, loaded machine takes
# several frames while the ace is on its way; no outcome depends on speed.
# Screenshots are kept in $E2E_SHOTS (default: a temporary folder).
set -euo pipefail
app="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"

e2e_begin
e2e_bundle motion
export VEXA_FLIGHT_MILLISECONDS=8000

e2e_launch "Vexa Solitaire"
e2e_choose_game
e2e_locate "Vexa Solitaire:  Flight"
e2e_focus "$main"

# The regions of the screen the checks look at.
regions() {
  origin="71x96+$((TX + 20))+$((TY + 10))"
  foundation="71x96+$((TX + 440))+$((TY + 10))"
  gap="330x96+$((TX + 100))+$((TY + 10))"   # the bare table between the two
  fan="300x96+$((TX + 20))+$((TY + 120))"
  piles="511x216+$((TX + 10))+$((TY + 5))"    # every pile, without the status bar
}
regions
red="rgb(255,0,0)"
paper="rgb(255,255,255)"
share() { e2e_share "$1" "$2" "$3"; }
empty_foundation() { e2e_holds "$(share "$1" "$foundation" "$red")" "v > 0.95"; }
on_foundation() { e2e_holds "$(share "$1" "$foundation" "$red")" "v < 0.05"; }
# No card between the piles: not a pixel of card paper.
bare_gap() { e2e_holds "$(share "$1" "$gap" "$paper")" "v == 0"; }
e2e_settled "$shots/0-dealt.png" "$piles" || e2e_fail "Flight did not settle"
empty_foundation "$shots/0-dealt.png" && bare_gap "$shots/0-dealt.png" || e2e_fail "the deal is not as expected"
cp "$shots/0-dealt.png" "$work/first-deal.png"

# Double-clicks the ace and records frames ($1-NNN.png) until it lies on
# the foundation; FRAMES: how many were taken.
double_click_and_record() {
  xdotool mousemove $((TX + 50)) $((TY + 50)) click --repeat 2 --delay 60 1
  FRAMES=0
  for _ in $(seq "$E2E_GUARD_TENTHS"); do
    FRAMES=$((FRAMES + 1))
    e2e_shot "$1-$(printf %03d "$FRAMES").png"
    on_foundation "$1-$(printf %03d "$FRAMES").png" && return 0
  done
  e2e_fail "the ace did not reach the foundation"
}
# The ace on its way: the origin pile already shows what lies below the
# ace (as it does once the ace has landed), the foundation is still empty
# and card paper lies between the two.
in_flight() {
  e2e_same "$1" "$2" "$origin" && empty_foundation "$1" &&
    e2e_holds "$(share "$1" "$gap" "$paper")" "v > 0.1"
}

# --- 1. a double-click sends the ace up; it is seen on its way --------------
double_click_and_record "$work/up"
landed="$work/up-$(printf %03d "$FRAMES").png"
cp "$landed" "$shots/1-landed.png"
seen=""
for ((i = 1; i < FRAMES; i++)); do
  frame="$work/up-$(printf %03d "$i").png"
  if in_flight "$frame" "$landed"; then seen="$frame"; break; fi
done
[ -n "$seen" ] || e2e_fail "none of the $FRAMES frames shows the ace between its pile and the foundation"
cp "$seen" "$shots/1-in-flight.png"
echo "e2e: the ace was seen in flight in frame $i of $FRAMES"
e2e_settled "$shots/1-landed.png" "$piles" || e2e_fail "the table did not settle after the flight"
bare_gap "$shots/1-landed.png" || e2e_fail "a card stayed between the piles"

# --- 2. F2 deals another hand, Ctrl+R restores it ---------------------------
xdotool key F2
# The ace is back in its place (it is always dealt there), the foundation
# is empty and the five face-up cards are others.
new_deal() {
  e2e_same "$1" "$work/first-deal.png" "$origin" && empty_foundation "$1" &&
    ! e2e_same "$1" "$work/first-deal.png" "$fan"
}
e2e_until "$shots/2-new-deal.png" new_deal "$shots/2-new-deal.png" || e2e_fail "F2 did not deal another hand"
e2e_settled "$shots/2-new-deal.png" "$piles" || e2e_fail "the new hand did not settle"
double_click_and_record "$work/again"
e2e_settled "$shots/3-moved.png" "$piles" || e2e_fail "the table did not settle after the second flight"
xdotool key ctrl+r
restored() { e2e_same "$1" "$shots/2-new-deal.png" "$piles"; }
e2e_until "$shots/4-restarted.png" restored "$shots/4-restarted.png" || e2e_fail "Ctrl+R did not restore the deal"
echo "e2e: F2 and Ctrl+R passed"

# --- 3. with animations off the ace lands at once ----------------------------
e2e_exit
python3 - "$data/vexasolit.ini" <<'EOF'
import sys
path = sys.argv[1]
lines = [line for line in open(path).read().splitlines() if not line.startswith("Animations=")]
if "[General]" in lines:
    lines.insert(lines.index("[General]") + 1, "Animations=0")
else:
    lines += ["[General]", "Animations=0"]
open(path, "w").write("\n".join(lines) + "\n")
EOF
# The kept hand comes back as Ctrl+R left it.
e2e_launch "Vexa Solitaire:  Flight"
regions
e2e_focus "$main"
e2e_until "$shots/5-resumed.png" restored "$shots/5-resumed.png" || e2e_fail "the kept hand did not come back"
double_click_and_record "$work/off"
for ((i = 1; i <= FRAMES; i++)); do
  bare_gap "$work/off-$(printf %03d "$i").png" ||
    { cp "$work/off-$(printf %03d "$i").png" "$shots/6-off-flying.png"; e2e_fail "with Animations=0 the ace was seen on its way"; }
done
cp "$work/off-$(printf %03d "$FRAMES").png" "$shots/6-off-landed.png"
echo "e2e: with animations off the ace landed at once ($FRAMES frames, none in flight)"
e2e_exit
echo "e2e motion: 3 passed, 0 failed"
