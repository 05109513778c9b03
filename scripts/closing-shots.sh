#!/usr/bin/env bash
# Screenshots of Klondike for a look at the scaled table, each under a
# private X server with a window manager: at its defined size and maximised
# on a 1920x1080 screen, full screen (F11) on a 3840x2160 screen, in both
# table styles, and a felt table whose stock was dealt out (the empty stock
# shows whether a redeal is left). Then motion and feedback on Klondike at
# its defined size: a card on its way from the stock to the waste, the ghost
# of a lifted card, the sign of a refused drop and the status bar.
# Usage: scripts/closing-shots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build="$(realpath "$1")"
mkdir -p "$2"
out="$(realpath "$2")"
root="$(cd "$(dirname "$0")/.." && pwd)"
here="$root/tests/e2e"
. "$here/lib.sh"
app="$build/vexasolit"

# Prints "X Y W H" of a window's client area (inside the manager's frame).
geometry() {
  xwininfo -id "$1" | awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2}
    /^ *Width/{w=$2} /^ *Height/{h=$2} END{print x + 0, y + 0, w + 0, h + 0}'
}
# Waits until the window $1 keeps its geometry and its picture between two
# looks; the screenshot is left in $work/still.png. The status bar's lowest
# 40 pixels are left out: its clock changes every second, and a look at a
# 3840x2160 screen may take longer.
settle() {
  local last="" now
  for _ in $(seq 150); do
    now="$(geometry "$1")"
    e2e_shot "$work/still.png"
    now="$now $(read -r x y w h <<<"$now"; convert "$work/still.png" -crop "${w}x$((h - 40))+$x+$y" +repage rgb:- | sha256sum)"
    [ "$now" = "$last" ] && return 0
    last=$now
    sleep 0.2
  done
  return 1
}
# Takes the window's client area (with the menu bar) into $2.
window_shot() {
  settle "$1" || e2e_fail "the window did not settle"
  read -r x y w h < <(geometry "$1")
  convert "$work/still.png" -crop "${w}x$h+$x+$y" +repage "$2"
  echo "$2: ${w}x$h"
}

# Starts the program with Klondike chosen in the table style $1 on a screen
# of size $2 with a window manager; sets $table.
start() {
  E2E_SCREEN="$2" e2e_begin
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  WM_PID=$!
  trap 'kill "$WM_PID" 2>/dev/null || true; e2e_cleanup' EXIT
  wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  e2e_wait wm_running || e2e_fail "the window manager did not start"
  export XDG_DATA_HOME="$work/xdg"
  local data="$XDG_DATA_HOME/vexasolit"
  mkdir -p "$data" "$work/bundle"
  cp "$root/games/klondike.ini" "$data/"
  printf '[Gamelist]\nKlondike=klondike.ini\n[General]\nTableStyle=%s\n' "$1" >"$data/vexasolit.ini"
  cp "$data"/*.ini "$work/bundle/"
  export VEXA_GAMES_DIR="$work/bundle"
  "$app" >"$work/app.log" 2>&1 &
  APP_PID=$!
  local main chooser mx my cx cy
  main=$(e2e_wait_window "Vexa Solitaire") || { cat "$work/app.log" >&2; e2e_fail "no main window"; }
  settle "$main" || e2e_fail "the welcome window did not settle"
  read -r mx my _ _ < <(geometry "$main")
  xdotool mousemove $((mx + 40)) $((my + 60)) click 1
  chooser=$(e2e_wait_window "Please choose a game to play") || e2e_fail "the chooser did not open"
  settle "$chooser" || true
  read -r cx cy _ _ < <(geometry "$chooser")
  xdotool mousemove $((cx + 60)) $((cy + 17 + 8)) click --repeat 2 --delay 60 1
  table=$(e2e_wait_window "Vexa Solitaire:  Klondike") || e2e_fail "Klondike was not loaded"
}
stop() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
  kill "$WM_PID" 2>/dev/null || true
  wait "$WM_PID" 2>/dev/null || true
  e2e_cleanup
  trap - EXIT
}

for style in Classic Felt; do
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$style")
  start "$style" 1920x1080
  window_shot "$table" "$out/klondike-$lower-defined.png"
  python3 "$here/wm_maximise.py" "$table"
  for _ in $(seq 100); do
    read -r _ _ w _ < <(geometry "$table")
    [ "$w" -gt 1800 ] && break
    sleep 0.1
  done
  window_shot "$table" "$out/klondike-$lower-maximised-1920x1080.png"
  if [ "$style" = Felt ]; then
    # Deal the stock out: the stock (50,10 71x96) is clicked until empty.
    read -r x y w h < <(geometry "$table")
    s=$(awk -v w="$w" -v h="$((h - 20))" 'BEGIN { s = w / 800; if (h / 600 < s) s = h / 600; print s }')
    ox=$(awk -v w="$w" -v s="$s" 'BEGIN { printf "%d", (w - 800 * s) / 2 }')
    oy=$(awk -v h="$((h - 20))" -v s="$s" 'BEGIN { printf "%d", (h - 600 * s) / 2 }')
    px=$(awk -v x="$x" -v o="$ox" -v s="$s" 'BEGIN { printf "%d", x + o + 85 * s }')
    py=$(awk -v y="$y" -v o="$oy" -v s="$s" 'BEGIN { printf "%d", y + 20 + o + 58 * s }')
    for _ in $(seq 24); do xdotool mousemove "$px" "$py" click 1; done
    window_shot "$table" "$out/klondike-felt-empty-stock-1920x1080.png"
  fi
  stop
  start "$style" 3840x2160
  settle "$table" || true
  xdotool key F11
  for _ in $(seq 100); do
    read -r _ _ w _ < <(geometry "$table")
    [ "$w" = 3840 ] && break
    sleep 0.1
  done
  window_shot "$table" "$out/klondike-$lower-fullscreen-3840x2160.png"
  stop
done

# --- motion and feedback ------------------------------------------------------
# Flights slowed to 3 s a step, so that a frame catches the card on its way.
VEXA_FLIGHT_MILLISECONDS=3000 start Classic 1920x1080
settle "$table" || e2e_fail "Klondike did not settle"
read -r x y w h < <(geometry "$table")
tx=$x
ty=$((y + 20))
# A card turned from the stock (50,10) flies onto the waste (150,10): the
# frames until the table stands still, the one in the middle kept.
xdotool mousemove $((tx + 85)) $((ty + 58)) click 1
frames=0
last=""
for _ in $(seq 100); do
  frames=$((frames + 1))
  e2e_shot "$work/flight-$frames.png"
  now=$(convert "$work/flight-$frames.png" -crop "200x96+$((tx + 50))+$((ty + 10))" +repage rgb:- | sha256sum)
  [ "$now" = "$last" ] && break
  last=$now
done
convert "$work/flight-$(((frames + 1) / 2)).png" -crop "${w}x$h+$x+$y" +repage "$out/motion-card-in-flight.png"
echo "$out/motion-card-in-flight.png: frame $(((frames + 1) / 2)) of $frames"
# The first column's card (50,120) lifted: dimmed in its place.
xdotool mousemove $((tx + 85)) $((ty + 150)) click 1
window_shot "$table" "$out/motion-ghost.png"
# Put down on the waste (150,10), which takes no card from the player: the
# red outline shows for a moment, so the click is made again until a frame
# catches it.
refused_sign() { e2e_holds "$(e2e_share "$1" "81x3+$((tx + 145))+$((ty + 6))" "rgb(230,20,20)")" "v > 0.5"; }
for _ in $(seq 20); do
  xdotool mousemove $((tx + 185)) $((ty + 58)) click 1
  e2e_shot "$work/refused.png"
  refused_sign "$work/refused.png" && break
done
refused_sign "$work/refused.png" || echo "no refused sign caught" >&2
convert "$work/refused.png" -crop "${w}x$h+$x+$y" +repage "$out/motion-refused-drop.png"
echo "$out/motion-refused-drop.png"
# Back to its pile; the status bar below the table counts the one move made.
xdotool mousemove $((tx + 85)) $((ty + 150)) click 1
window_shot "$table" "$work/status.png"
convert "$work/status.png" -gravity South -crop "${w}x60+0+0" +repage "$out/motion-status-bar.png"
cp "$work/status.png" "$out/motion-status-bar-window.png"
echo "$out/motion-status-bar.png"
stop
