#!/usr/bin/env bash
# Renders every card face of the card library in the real window under a
# private X server, at table size and on dense screens (QT_SCALE_FACTOR 2
# and 2.5), laid out one by one, fanned downwards in columns and fanned to
# the right in rows as in play:
#   scripts/card-sheet.sh [BUILD_DIR] [OUTPUT_DIR]
# It writes faces-Sx.png, fan-Sx.png and fanright-Sx.png for S = 1, 2, 2.5.
# The deals are shuffled, so the order of the faces changes from run to run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$root/build}")"
output="$(realpath -m "${2:-$root/build/card-sheet}")"
app="$build/vexasolit"
[ -x "$app" ] || { echo "no program at $app: build first" >&2; exit 1; }
. "$root/tests/e2e/lib.sh"
export E2E_SCREEN=2700x1900
e2e_begin
mkdir -p "$output"

# "Faces": the 52 cards of a deck, one to a pile, in four rows of thirteen.
faces="[Faces]
Name=Faces
Formwidth=1000
Formheight=460
Autoplay=0"
for i in $(seq 0 51); do
  faces+=$'\n'"PILE$(printf '%02d' "$((i + 1))")=$((10 + 76 * (i % 13))),$((10 + 100 * (i / 13))),71,96,2,2,0,0,0,402,0,0,0,U"
done
# "Fan": the same deck in four columns of thirteen, fanned downwards.
fan="[Fan]
Name=Fan
Formwidth=340
Formheight=360
Autoplay=0"
for k in 0 1 2 3; do
  fan+=$'\n'"PILE$((k + 1))=$((10 + 80 * k)),10,71,310,0,2,3,109,208,401,0,0,0,UUUUUUUUUUUUU"
done

# "FanRight": the deck in four rows of thirteen, fanned to the right.
fanright="[FanRight]
Name=FanRight
Formwidth=290
Formheight=470
Autoplay=0"
for k in 0 1 2 3; do
  fanright+=$'\n'"PILE$((k + 1))=10,$((10 + 110 * k)),260,96,1,2,3,109,208,401,0,0,0,UUUUUUUUUUUUU"
done

# $1 + $2 × $3 in whole pixels, for scales that are not whole numbers.
at() { awk -v a="$1" -v b="$2" -v s="$3" 'BEGIN { printf "%d", a + b * s }'; }

# Shows game $1 (its text in $2) at scale $3 and keeps the table in $output.
render() {
  local name="$1" text="$2" scale="$3" dir="$work/$1-$3" main chooser table mx my cx cy
  mkdir -p "$dir"
  printf '%s\n' "$text" > "$dir/game.ini"
  printf '[Gamelist]\n%s=game.ini\n' "$name" > "$dir/vexasolit.ini"
  XDG_DATA_HOME="$dir/home" VEXA_GAMES_DIR="$dir" QT_SCALE_FACTOR="$scale" "$app" >"$dir/app.log" 2>&1 &
  APP_PID=$!
  main=$(e2e_wait_window "Vexa Solitaire") || { cat "$dir/app.log" >&2; echo "no main window" >&2; exit 1; }
  read -r mx my < <(e2e_window_origin "$main")
  sleep 0.5
  xdotool mousemove "$(at "$mx" 40 "$scale")" "$(at "$my" 60 "$scale")" click 1
  chooser=$(e2e_wait_window "Please choose a game to play") || { echo "no chooser" >&2; exit 1; }
  read -r cx cy < <(e2e_window_origin "$chooser")
  xdotool mousemove "$(at "$cx" 60 "$scale")" "$(at "$cy" 25 "$scale")" click --repeat 2 --delay 60 1
  table=$(e2e_wait_window "Vexa Solitaire:  $name") || { echo "$name was not loaded" >&2; exit 1; }
  sleep 0.8
  import -window "$table" "$output/$(echo "$name" | tr 'A-Z' 'a-z')-${scale}x.png"
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}

for scale in 1 2 2.5; do
  render Faces "$faces" "$scale"
  render Fan "$fan" "$scale"
  render FanRight "$fanright" "$scale"
done
ls "$output"/*.png
