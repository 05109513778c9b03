#!/usr/bin/env bash
# The table scaled in a window that a window manager sizes: Klondike dealt
# at its defined size, the window resized to 1800x1150 by the window
# manager; the stock's width on the screen grows by the scale, a click on
# the stock's scaled place deals to the waste, F11 goes to full screen and
# back; in a maximised window a game load keeps it maximised, a click on the
# scaled place of a card lifts it and a click on a pile's scaled place drops
# it there. Screenshots go to $E2E_SHOTS when it is set.
set -euo pipefail
app="$(realpath "$1")"
root="$(realpath "$2")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"

export E2E_SCREEN=1920x1200
e2e_begin
command -v openbox >/dev/null || e2e_fail "openbox (the window manager of this run) is not installed"
openbox --sm-disable >"$work/wm.log" 2>&1 &
WM_PID=$!
trap 'kill "$WM_PID" 2>/dev/null || true; e2e_cleanup' EXIT
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
e2e_wait wm_running || e2e_fail "the window manager did not start"
export XDG_DATA_HOME="$work/xdg"
data="$XDG_DATA_HOME/vexasolit"
mkdir -p "$data" "$work/bundle"
cp "$root/games/klondike.ini" "$here/data/play/lift.ini" "$data/"
printf '[Gamelist]\nKlondike=klondike.ini\nLift and drop=lift.ini\n' >"$data/vexasolit.ini"
cp "$data"/*.ini "$work/bundle/"
export VEXA_GAMES_DIR="$work/bundle"

# Prints "X Y W H" of a window's client area (inside the manager's frame).
geometry() {
  xwininfo -id "$1" | awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2}
    /^ *Width/{w=$2} /^ *Height/{h=$2} END{print x + 0, y + 0, w + 0, h + 0}'
}
# Waits until the window $1 stands still (the same geometry and the same
# picture of its top-left corner in two looks in a row) and its geometry
# holds the awk condition $2 on w and h; prints "X Y W H".
still_at=""
still() { local g; g="$(geometry "$1")"; e2e_shot "$work/still.png"
  g="$g $(convert "$work/still.png" -crop "300x200+${g%% *}+$(cut -d' ' -f2 <<<"$g")" +repage rgb:- | sha256sum)"
  [ "$g" = "$still_at" ] && awk -v w="$(cut -d' ' -f3 <<<"$g")" -v h="$(cut -d' ' -f4 <<<"$g")" "BEGIN { exit !($2) }" && return 0
  still_at=$g; return 1; }
settle() { still_at=""; e2e_wait still "$1" "${2:-1}" >/dev/null || return 1; geometry "$1"; }
# f EXPR: evaluates a floating-point expression and prints it rounded.
f() { awk "BEGIN { printf \"%d\", ($1) + 0.5 }"; }
bar=20  # the menu bar's height
# Reads the table's place and scale: TX TY (table area), S, OX OY (margin).
measure() {
  read -r WX WY WW WH < <(geometry "$table")
  TX=$WX
  TY=$((WY + bar))
  S=$(awk -v w="$WW" -v h="$((WH - bar))" -v mw="$MW" -v mh="$MH" \
    'BEGIN { s = w / mw; if (h / mh < s) s = h / mh; print s }')
  OX=$(awk -v w="$WW" -v mw="$MW" -v s="$S" 'BEGIN { printf "%d", (w - mw * s) / 2 }')
  OY=$(awk -v h="$((WH - bar))" -v mh="$MH" -v s="$S" 'BEGIN { printf "%d", (h - mh * s) / 2 }')
}
# Screen point of a model point.
sx() { f "$TX + $OX + $1 * $S"; }
sy() { f "$TY + $OY + $1 * $S"; }
pixel() { convert "$1" -crop "1x1+$2+$3" +repage -format '%[pixel:p{0,0}]' info:; }
# Width on the screen of what covers the background along the model row y
# between model columns a and b.
covered() {
  local shot="$1" a="$2" b="$3" y="$4" x0 x1 bg share
  x0=$(sx "$a")
  x1=$(sx "$b")
  bg=$(pixel "$shot" "$x0" "$(sy "$y")")
  share=$(e2e_share "$shot" "$((x1 - x0))x1+$x0+$(sy "$y")" "$bg")
  f "(1 - $share) * ($x1 - $x0)"
}

"$app" >"$work/app.log" 2>&1 &
APP_PID=$!
main=$(e2e_wait_window "Vexa Solitaire") || { cat "$work/app.log" >&2; e2e_fail "no main window"; }
read -r mx my _ _ < <(settle "$main") || e2e_fail "the welcome window did not settle"
xdotool mousemove $((mx + 40)) $((my + bar + 40)) click 1
chooser=$(e2e_wait_window "Please choose a game to play") || e2e_fail "the chooser did not open"
read -r cx cy _ _ < <(geometry "$chooser")
xdotool mousemove $((cx + 60)) $((cy + 17 + 8)) click --repeat 2 --delay 60 1
table=$(e2e_wait_window "Vexa Solitaire:  Klondike") || { e2e_shot "$shots/fail.png"; e2e_fail "Klondike was not loaded"; }
read -r _ _ W0 H0 < <(settle "$table") || e2e_fail "Klondike did not settle"
MW=$W0
MH=$((H0 - bar))
measure
e2e_shot "$shots/klondike-defined.png"
one=$(covered "$shots/klondike-defined.png" 30 140 58)
[ "$S" = 1 ] || e2e_fail "the table is not at 1x at its defined size (scale $S)"
e2e_holds "$one" "v >= 69 && v <= 73" || e2e_fail "the stock is $one pixels wide at 1x"

# --- the window manager resizes the window ----------------------------------
xdotool windowsize "$table" 1800 1150
settle "$table" "w == 1800 && h == 1150" >/dev/null
measure
[ "$WW" = 1800 ] && [ "$WH" = 1150 ] || e2e_fail "the window was not resized (${WW}x$WH)"
e2e_shot "$shots/klondike-1800x1150.png"
wide=$(covered "$shots/klondike-1800x1150.png" 30 140 58)
want=$(f "71 * $S")
e2e_holds "$((wide - want))" "v >= -3 && v <= 3" || e2e_fail "the stock is $wide pixels wide at scale $S (want $want)"
# A click on the stock's scaled place turns a card onto the waste (150,10).
waste="$(f "60 * $S")x$(f "80 * $S")+$(sx 155)+$(sy 15)"
cyan="rgb(0,255,255)"
e2e_holds "$(e2e_share "$shots/klondike-1800x1150.png" "$waste" "$cyan")" "v > 0.95" || e2e_fail "the waste is not empty"
xdotool mousemove "$(sx 85)" "$(sy 58)" click 1
dealt() { e2e_holds "$(e2e_share "$1" "$waste" "$cyan")" "v < 0.1"; }
e2e_until "$shots/klondike-dealt.png" dealt "$shots/klondike-dealt.png" || e2e_fail "the stock's scaled place did not deal"

# --- F11: full screen and back ----------------------------------------------
xdotool key F11
settle "$table" "w == 1920 && h == 1200" >/dev/null
read -r _ _ fw fh < <(geometry "$table")
[ "$fw" = 1920 ] && [ "$fh" = 1200 ] || e2e_fail "F11 did not fill the screen (${fw}x$fh)"
e2e_shot "$shots/klondike-full-screen.png"
xdotool key F11
settle "$table" "w == 1800 && h == 1150" >/dev/null
read -r _ _ bw bh < <(geometry "$table")
[ "$bw" = 1800 ] && [ "$bh" = 1150 ] || e2e_fail "F11 did not come back to the window (${bw}x$bh)"

# --- maximised: a game load keeps it, clicks land at the scale --------------
python3 "$here/wm_maximise.py" "$table"
settle "$table" "w > 1800" >/dev/null
read -r WX WY maxw maxh < <(geometry "$table")
e2e_holds "$maxw" "v > 1800" || e2e_fail "the window was not maximised (${maxw}x$maxh)"
e2e_menu $((WX + 20)) $((WY + 10)) s
chooser=$(e2e_wait_window "Please choose a game to play") || e2e_fail "the chooser did not open again"
read -r cx cy _ _ < <(geometry "$chooser")
xdotool mousemove $((cx + 60)) $((cy + 17 + 16 + 8)) click --repeat 2 --delay 60 1
table=$(e2e_wait_window "Vexa Solitaire:  Lift and drop") || e2e_fail "Lift and drop was not loaded"
settle "$table" "w == $maxw && h == $maxh" >/dev/null
read -r _ _ lw lh < <(geometry "$table")
[ "$lw" = "$maxw" ] && [ "$lh" = "$maxh" ] || e2e_fail "the load left the maximised size (${lw}x$lh)"
# The model of Lift and drop: its defined client size.
MW=$(awk -F= '/^Formwidth/{print $2}' "$data/lift.ini")
MH=$(awk -F= '/^Formheight/{print $2}' "$data/lift.ini")
# Its table size is what the window had at its defined size: taken from the
# scale at which its empty pile (120,10 71x150) shows.
measure_lift() {
  read -r WX WY WW WH < <(geometry "$table")
  TX=$WX
  TY=$((WY + bar))
}
measure_lift
python3 "$here/cursor_image.py" >/dev/null
e2e_shot "$shots/lift-maximised.png"
# Find the scale from the green pile's width on the screen (row across it).
green="rgb(0,128,0)"
convert "$shots/lift-maximised.png" -crop "${WW}x1+$TX+$((TY + WH / 2 - bar))" +repage txt:- |
  awk -F'[,:]' '/#008000/ { if (min == "" || $1 < min) min = $1; if ($1 > max) max = $1 }
    END { print min, max }' >"$work/green"
read -r g0 g1 <"$work/green"
[ -n "$g0" ] || e2e_fail "the empty pile is not on the screen"
S=$(awk -v a="$g0" -v b="$g1" 'BEGIN { print (b - a + 1) / 71 }')
OX=$(awk -v g="$g0" -v s="$S" 'BEGIN { printf "%d", g - 120 * s }')
# The top of the table: the first row of the green pile lies at model y 10.
gy=$(convert "$shots/lift-maximised.png" -crop "1x$((WH - bar))+$((TX + g0 + 5))+$TY" +repage txt:- |
  awk -F'[,:]' '/#008000/ && first == "" { first = $2 } END { print first }')
OY=$(awk -v y="$gy" -v s="$S" 'BEGIN { printf "%d", y - 10 * s }')
e2e_holds "$S" "v > 2" || e2e_fail "the table is not scaled in the maximised window (scale $S)"
# A click on the scaled place of PILE1's top card lifts it: the pile is
# scrolled to its end, so the card shows at the foot of the pile's area.
xdotool mousemove "$(sx 55)" "$(sy 150)" click 1
carrying() { read -r _ _ _ _ yellow < <(python3 "$here/cursor_image.py"); e2e_holds "$yellow" "v > 100"; }
e2e_wait carrying || e2e_fail "a click on the card's scaled place did not lift it"
# A click on PILE2's scaled place drops it there.
xdotool mousemove "$(sx 155)" "$(sy 100)" click 1
pile2="$(f "60 * $S")x$(f "60 * $S")+$(sx 125)+$(sy 20)"
dropped() { e2e_holds "$(e2e_share "$1" "$pile2" "$green")" "v < 0.2"; }
e2e_until "$shots/lift-dropped.png" dropped "$shots/lift-dropped.png" || e2e_fail "the drop did not land on the pile"
echo "scale e2e: 1 passed, 0 failed"
