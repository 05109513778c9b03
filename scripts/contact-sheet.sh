#!/usr/bin/env bash
# Renders the first deal of every game of a catalogue in the real window
# under a private X server and assembles one contact sheet:
#   scripts/contact-sheet.sh [BUILD_DIR] [GAMES_DIR] [OUTPUT.png]
# With CONTACT_SHOTS set to a folder, each full-size window is kept there too.
# Each game is loaded alone (a one-entry catalogue), so the chooser's first
# row is that game; the window is captured once the deal is on screen.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$root/build}")"
games="$(realpath "${2:-$root/games}")"
output="$(realpath -m "${3:-$root/build/contact-sheet.png}")"
app="$build/vexasolit"
[ -x "$app" ] || { echo "no program at $app: build first" >&2; exit 1; }
. "$root/tests/e2e/lib.sh"

e2e_begin
e2e_start_x

n=0
while IFS='=' read -r name file; do
  name="${name%$'\r'}"; file="${file%$'\r'}"
  case "$name" in ''|'['*|';'*) continue ;; esac
  n=$((n + 1))
  dir="$work/game$n"
  mkdir "$dir"
  cp "$games/$file" "$dir/"
  printf '[Gamelist]\n%s=%s\n' "$name" "$file" > "$dir/vexasolit.ini"
  caption=$(sed -n 's/^Name=\(.*\)$/\1/p' "$games/$file" | head -n 1 | tr -d '\r')
  # The window is looked up by a regular expression.
  pattern=$(printf '%s' "$caption" | sed 's/[][().*+?^$|\\{}]/\\&/g')
  # The program plays in $XDG_DATA_HOME/vexasolit, seeded from this game's folder.
  XDG_DATA_HOME="$dir/home" VEXA_GAMES_DIR="$dir" "$app" >"$dir/app.log" 2>&1 &
  APP_PID=$!
  main=$(e2e_wait_window "Vexa Solitaire") || { cat "$dir/app.log" >&2; echo "no main window" >&2; exit 1; }
  read -r MX MY < <(e2e_window_origin "$main")
  sleep 0.3
  xdotool mousemove $((MX + 40)) $((MY + 60)) click 1
  chooser=$(e2e_wait_window "Please choose a game to play") || { echo "no chooser for $name" >&2; exit 1; }
  read -r CX CY < <(e2e_window_origin "$chooser")
  xdotool mousemove $((CX + 60)) $((CY + 17 + 8)) click --repeat 2 --delay 60 1
  table=$(e2e_wait_window "Vexa Solitaire:  $pattern") || { echo "$name was not loaded" >&2; exit 1; }
  sleep 0.8
  import -window "$table" "$work/$(printf '%02d' "$n").png"
  convert "$work/$(printf '%02d' "$n").png" -resize 50% \
    -background white -gravity north -splice 0x18 -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 14 -annotate +0+2 "$name" \
    "$work/tile$(printf '%02d' "$n").png"
  [ -n "${CONTACT_SHOTS:-}" ] && mkdir -p "$CONTACT_SHOTS" &&
    cp "$work/$(printf '%02d' "$n").png" "$CONTACT_SHOTS/$(printf '%02d' "$n")-${file%.ini}.png"
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
  echo "rendered $name"
done < <(sed -n '/^\[Gamelist\]/,/^\[/p' "$games/vexasolit.ini")

mkdir -p "$(dirname "$output")"
montage "$work"/tile*.png -tile 5x -geometry +6+6 -background '#404040' "$output"
echo "contact sheet of $n games: $output"
