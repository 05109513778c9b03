#!/usr/bin/env bash
# A definition edited while its game is shown, in the real window under a
# private X server:
#  1. the pile moved in the file: the bar shows over the table, the table
#     stays as it was; Reload (clicked) deals the game again with the pile
#     in its new place and the bar gone;
#  2. a broken line: the bar comes back with its count in the colour of
#     errors, and the table stays as it was.
# Every wait is for a condition on the screen; the guard of a minute only
# turns a hang into a failure.
set -euo pipefail
app="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"

e2e_begin
export XDG_DATA_HOME="$work/xdg"
game_dir="$work/game"
mkdir -p "$game_dir"
cp "$here"/data/reload/*.ini "$game_dir/"
definition="$game_dir/moving.ini"
bar_colour="#FDF2C8"
error_colour="#b00000"

e2e_launch "Vexa Solitaire" "$game_dir"
e2e_choose_game
e2e_locate "Vexa Solitaire:  Moving pile"
W=$(xdotool getwindowgeometry --shell "$main" | awk -F= '/^WIDTH=/{print $2}')
window="${W}x300+$MX+$MY"
e2e_settled "$shots/loaded.png" "$window" || e2e_fail "the table did not settle"

# The bar's rows at the window's left edge: "TOP BOTTOM", nothing when none.
bar_rows() {
  convert "$1" -crop "1x120+$((MX + 3))+$MY" +repage txt:- |
    awk -F'[,:]' -v c="$bar_colour" -v y="$MY" 'index($0, c) { if (top == "") top = $2; bottom = $2 }
      END { if (top != "" && bottom - top > 10) print top + y, bottom + y + 1 }'
}
bar_shown() { [ -n "$(bar_rows "$1")" ]; }
bar_gone() { [ -z "$(bar_rows "$1")" ]; }
# The two places a pile takes, in the table's pixels (scale 1 at the
# defined size) from the table's top edge TY, which is the bar's.
old_place() { echo "71x96+$((MX + 20))+$((TY + 60))"; }
new_place() { echo "71x96+$((MX + 250))+$((TY + 160))"; }
# Share of the pixels of the bar in the error colour (that of the count).
error_share() {
  local top bottom
  read -r top bottom < <(bar_rows "$1")
  convert "$1" -crop "${W}x$((bottom - top))+$MX+$top" +repage -fuzz 20% -fill "#00ff00" -opaque "$error_colour" \
    -fuzz 0 -fill black +opaque "#00ff00" -fill white -opaque "#00ff00" -colorspace gray -format '%[fx:mean]' info:
}
has_error_count() { e2e_holds "$(error_share "$1")" "v > 0"; }

# --- 1. the pile moved ---------------------------------------------------------
sed -i 's/^PILE1=20,60,/PILE1=250,160,/' "$definition"
e2e_until "$shots/changed.png" bar_shown "$shots/changed.png" || e2e_fail "no bar after the edit"
read -r BT BB < <(bar_rows "$shots/changed.png")
TY=$BT
e2e_settled "$shots/changed.png" "$window" || e2e_fail "the window did not settle with the bar"
for place in "$(old_place)" "$(new_place)"; do
  e2e_same "$shots/loaded.png" "$shots/changed.png" "$place" || e2e_fail "the table changed before Reload ($place)"
done
e2e_holds "$(error_share "$shots/changed.png")" "v == 0" || e2e_fail "a count of errors for a sound definition"

# Reload is the widest run of pixels in the bar's middle row that are not
# the bar's own colour (the text's runs are a letter wide).
read -r RX < <(convert "$shots/changed.png" -crop "${W}x1+$MX+$(((BT + BB) / 2))" +repage txt:- |
  awk -F'[,:]' -v c="$bar_colour" '
    { x = $1; if (index($0, c)) { run = 0 } else { if (run == 0) start = x; run++; if (run >= best) { best = run; from = start } } }
    END { if (best >= 30) print from + int(best / 2) }')
[ -n "${RX:-}" ] || e2e_fail "no Reload button in the bar"
xdotool mousemove $((MX + RX)) $(((BT + BB) / 2)) click 1 mousemove 0 0
# The fresh hand: the bar gone, the old place empty as the new one was,
# the new place showing the pile.
reloaded() {
  bar_gone "$1" &&
    cmp -s <(convert "$shots/loaded.png" -crop "$(new_place)" +repage rgb:-) <(convert "$1" -crop "$(old_place)" +repage rgb:-) &&
    ! e2e_same "$shots/loaded.png" "$1" "$(new_place)"
}
e2e_until "$shots/reloaded.png" reloaded "$shots/reloaded.png" || e2e_fail "Reload did not move the pile"
e2e_settled "$shots/reloaded.png" "$window" || e2e_fail "the reloaded table did not settle"
echo "e2e: edit, bar and Reload passed"

# --- 2. a broken line -------------------------------------------------------------
sed -i 's/^PILE1=.*/PILE1=oops/' "$definition"
counted() { bar_shown "$1" && has_error_count "$1"; }
e2e_until "$shots/broken.png" counted "$shots/broken.png" || e2e_fail "the bar did not count the error"
e2e_settled "$shots/broken.png" "$window" || e2e_fail "the window did not settle"
for place in "$(old_place)" "$(new_place)" "71x96+$((MX + 300))+$((TY + 60))"; do
  e2e_same "$shots/reloaded.png" "$shots/broken.png" "$place" || e2e_fail "the broken file changed the table ($place)"
done
kill -0 "$APP_PID" || e2e_fail "the program ended"
echo "e2e: broken line passed"
