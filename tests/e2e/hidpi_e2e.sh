#!/usr/bin/env bash
# The welcome window on a dense screen: started once as usual and once with
# QT_SCALE_FACTOR=2, the edges of the first welcome card (its border, the
# court panel's lines, the lettering) must be as sharp at 2x as at 1x. A
# table-size picture blown up to twice its size would spread each edge over
# two device pixels and halve the steepest step between neighbours.
set -euo pipefail
app="$(realpath "$1")"
root="$(realpath "$2")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"

e2e_begin
export XDG_DATA_HOME="$work/xdg"
export VEXA_GAMES_DIR="$root/games"

# Takes a screenshot of the welcome window at scale $1 and cuts out a band
# across the first welcome card into $work/band-$1.png: it lies at (3, 2) of
# the client area below the menu bar, so rows 55 to 85 (logical) cross it
# whatever the menu bar's height.
# The band is taken once the window stands still where it was in the shot
# before and the card's edges show in it, however long that takes to come.
welcome_band() {
  local scale="$1" main mx my last=""
  QT_SCALE_FACTOR="$scale" "$app" >"$work/app.log" 2>&1 &
  APP_PID=$!
  main=$(e2e_wait_window "Vexa Solitaire") || { cat "$work/app.log" >&2; e2e_fail "no main window at scale $scale"; }
  e2e_until "$work/shot-$scale.png" band_shown "$work/shot-$scale.png" ||
    e2e_fail "the welcome card is not drawn at scale $scale"
  kill "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}
band_shown() {
  local steepest
  read -r mx my < <(e2e_window_origin "$main")
  convert "$1" -crop "$((76 * scale))x$((30 * scale))+$mx+$((my + 55 * scale))" +repage "$work/band-$scale.png"
  read -r steepest _ _ < <(edges "$work/band-$scale.png")
  [ "$last" = "$mx $my" ] && e2e_holds "$steepest" "v > 100" && return 0
  last="$mx $my"
  return 1
}

# Prints "steepest even odd" for an image: the steepest grey step between
# horizontal neighbours, and how many steps above 40 start at even and at odd
# columns. A picture blown up smoothly halves its steepest step; one blown up
# by repeating pixels has its steps at one parity of column only.
edges() {
  convert "$1" -colorspace gray -depth 8 txt:- |
    awk -F'[,:()]' 'NR > 1 { x = $1 + 0; y = $2 + 0; g = $4 + 0
        if (x > 0 && y == ly) { d = g - last; if (d < 0) d = -d; if (d > max) max = d; if (d > 40) n[x % 2]++ }
        last = g; ly = y }
      END { print max + 0, n[0] + 0, n[1] + 0 }'
}

# Sharp: a steep step, and steps at both parities of column.
sharp() {
  local steepest even odd
  read -r steepest even odd < <(edges "$1")
  echo "$1: steepest step $steepest, steps at even/odd columns $even/$odd" >&2
  awk -v s="$steepest" -v ref="$2" -v e="$even" -v o="$odd" \
    'BEGIN { lo = e < o ? e : o; hi = e < o ? o : e; exit !(s >= 0.85 * ref && lo >= 0.2 * hi) }'
}

welcome_band 1
welcome_band 2
read -r one _ _ < <(edges "$work/band-1.png")
e2e_holds "$one" "v > 100" || e2e_fail "no card edge found at 1x ($one)"
sharp "$work/band-2.png" "$one" || e2e_fail "the card at 2x is not as sharp as at 1x"
# The check tells blown-up pictures from sharp ones.
convert "$work/band-1.png" -resize 200% "$work/smooth.png"
convert "$work/band-1.png" -sample 200% "$work/blocky.png"
! sharp "$work/smooth.png" "$one" || e2e_fail "the check takes a smoothly enlarged card for sharp"
! sharp "$work/blocky.png" "$one" || e2e_fail "the check takes a pixel-doubled card for sharp"
echo "hidpi e2e: 1 passed, 0 failed"
