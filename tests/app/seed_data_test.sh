#!/usr/bin/env bash
# The installed program and the player's data folder: installs the build
# into a temporary prefix, checks the installed tree, then runs the installed
# program under a private X server from an empty $XDG_DATA_HOME:
#  1. the first start seeds the catalogue and the games and shows the welcome
#     window; a game is chosen, so that leaving writes its statistics;
#  2. a newer version brings a game; the second start adds it to the list,
#     keeps the statistics and a definition the player changed, and comes
#     back to the hand of the game chosen at the first start.
# Usage: seed_data_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$(realpath "$1")"
root="$(realpath "$2")"
. "$root/tests/e2e/lib.sh"

e2e_begin
fail() { [ -f "$work/app.log" ] && cat "$work/app.log" >&2; e2e_fail "$@"; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
games="$prefix/share/vexasolit/games"
for f in bin/vexasolit lib/vexasolit/libvexacards.so share/vexasolit/games/vexasolit.ini \
  share/applications/org.vexasolit.VexaSolitaire.desktop share/metainfo/org.vexasolit.VexaSolitaire.metainfo.xml \
  share/icons/hicolor/scalable/apps/vexasolit.svg share/icons/hicolor/48x48/apps/vexasolit.png \
  share/icons/hicolor/256x256/apps/vexasolit.png; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
for f in "$root"/games/*.ini; do
  cmp -s "$f" "$games/$(basename "$f")" || fail "game not installed as it is: $(basename "$f")"
done
desktop-file-validate "$prefix/share/applications/org.vexasolit.VexaSolitaire.desktop" || fail "menu entry"

# The player's environment: nothing seeded yet, nothing to find in the
# folder the program is started from.
export XDG_DATA_HOME="$work/xdg"
export HOME="$work/home"
unset VEXA_GAMES_DIR
mkdir -p "$HOME" "$work/elsewhere"
data="$XDG_DATA_HOME/vexasolit"

# $1: the title of the window to wait for (the welcome window's by default).
start_app() {
  (cd "$work/elsewhere" && exec "$prefix/bin/vexasolit") >"$work/app.log" 2>&1 &
  APP_PID=$!
  main=$(e2e_wait_window "${1:-Vexa Solitaire}") || fail "no main window"
  # The window centres itself once shown: its place is taken once it stands
  # still and its content is drawn alike in two shots in a row.
  placed_at=""
  e2e_wait placed || fail "the window did not stand still"
}
placed() {
  local at
  read -r MX MY < <(e2e_window_origin "$main")
  e2e_shot "$work/placed.png"
  at="$MX $MY $(convert "$work/placed.png" -crop "200x100+$MX+$MY" +repage rgb:- | sha256sum)"
  [ "$at" = "$placed_at" ] && return 0
  placed_at=$at
  return 1
}
exit_app() {
  e2e_menu $((MX + 20)) $((MY + 10)) x
  local status=0
  wait "$APP_PID" || status=$?
  APP_PID=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
welcome_shown() {
  local white
  white=$(e2e_share "$1" "61x60+$((MX + 8))+$((MY + 30))" "rgb(255,255,255)")
  e2e_holds "$white" "v > 0.1"
}

# --- 1. first start ----------------------------------------------------------
start_app
cmp -s "$games/vexasolit.ini" "$data/vexasolit.ini" || fail "the catalogue was not seeded"
for f in "$games"/*.ini; do
  [ -f "$data/$(basename "$f")" ] || fail "not seeded: $(basename "$f")"
done
e2e_until "$work/welcome.png" welcome_shown "$work/welcome.png" || fail "no welcome window"
xdotool mousemove $((MX + 40)) $((MY + 60)) click 1
chooser=$(e2e_wait_window "Please choose a game to play") || fail "the chooser did not open"
read -r CX CY < <(e2e_window_origin "$chooser")
xdotool mousemove $((CX + 60)) $((CY + 17 + 8)) click --repeat 2 --delay 60 1
for _ in $(seq "$E2E_GUARD_TENTHS"); do
  table=$(xdotool search --onlyvisible --name "^Vexa Solitaire:  " 2>/dev/null | head -n 1)
  [ -n "$table" ] && break
  sleep 0.1
done
[ -n "$table" ] || fail "no game was loaded"
read -r MX MY < <(e2e_window_origin "$table")
chosen=$(xdotool getwindowname "$table")
exit_app
# Leaving the chosen game writes its figures and the play time.
figures() { grep -E '^(\[|GamesPlayed=|TotalScore=|GamesWon=|TimeInGame=)' "$data/vexasolit.ini" | sed 's/^TimeInGame=.*/TimeInGame=/'; }
stats=$(grep -E '^(\[|GamesPlayed=|TotalScore=|GamesWon=|TimeInGame=)' "$data/vexasolit.ini")
grep -q '^GamesPlayed=' <<<"$stats" || fail "the first start wrote no statistics"
grep -q '^TimeInGame=' <<<"$stats" || fail "the first start wrote no play time"
echo "seed data: first start seeded and kept statistics"

# --- 2. a newer version brings a game; the player changed a definition -------
chmod -R u+w "$games"
sed "s/^\[Klondike\]/[Newcomer]/; s/^Name=.*/Name=Newcomer/" "$games/klondike.ini" >"$games/newcomer.ini"
awk '1; /^\[Gamelist\]/ { print "Newcomer=newcomer.ini" }' "$games/vexasolit.ini" >"$work/list"
mv "$work/list" "$games/vexasolit.ini"
echo "; changed by the player" >>"$data/klondike.ini"
klondike=$(sha256sum <"$data/klondike.ini")

# The game chosen at the first start comes back with its hand.
start_app "$chosen"
stats=$(sed 's/^TimeInGame=.*/TimeInGame=/' <<<"$stats")
exit_app
grep -q '^Newcomer=newcomer.ini' "$data/vexasolit.ini" || fail "the new game was not added to the list"
cmp -s "$games/newcomer.ini" "$data/newcomer.ini" || fail "the new game's definition was not copied"
[ "$(figures)" = "$stats" ] ||
  fail "the statistics of the first start were not kept"
[ "$(sha256sum <"$data/klondike.ini")" = "$klondike" ] || fail "the player's definition was overwritten"
echo "seed data: 2 passed, 0 failed"
