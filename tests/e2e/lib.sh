# Shared helpers of the end-to-end runs: a private X server, window lookup,
# screenshots and pixel checks with ImageMagick.

# Xvfb picks a free display number itself and writes it to the descriptor
# -displayfd names once it accepts clients: runs started side by side (other
# builds on the same machine) never share a server, as they could when each
# looked for a free number and then started a server on it.
e2e_start_x() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x1024}x24" -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 300); do
    if [ -s "$number" ]; then
      export DISPLAY=":$(head -n 1 "$number")"
      rm -f "$number"
      xdpyinfo >/dev/null 2>&1 && return 0
      break
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number"
  kill "$XVFB_PID" 2>/dev/null
  echo "cannot start Xvfb" >&2
  return 1
}

e2e_stop_x() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; }

# A run's work folder ($work), its screenshot folder ($shots: $E2E_SHOTS or
# one in the work folder) and its X server, and their clean-up when the
# script ends: the program under test ($APP_PID) and the X server are
# stopped, the work folder is removed.
e2e_begin() {
  work=$(mktemp -d)
  APP_PID=""
  trap e2e_cleanup EXIT
  shots="${E2E_SHOTS:-$work/shots}"
  mkdir -p "$shots"
  e2e_start_x
}
e2e_cleanup() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
  e2e_stop_x
  rm -rf "$work"
}

# The waits below poll until the awaited state shows. Their guard (a
# minute) only turns a hang into a failure; no pass depends on it.
E2E_GUARD_TENTHS=600

# Waits until a window with exactly this name is mapped; prints its id.
e2e_wait_window() {
  local name="$1" id
  for _ in $(seq "$E2E_GUARD_TENTHS"); do
    id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

e2e_window_gone() {
  local name="$1"
  for _ in $(seq "$E2E_GUARD_TENTHS"); do
    [ -z "$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}

# Prints "X Y" of a window's top-left corner on the screen.
e2e_window_origin() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'
}

e2e_shot() { import -window root "$1"; }

# Share (0..1) of the pixels of a region of an image that have a colour.
e2e_share() {
  local image="$1" geometry="$2" colour="$3"
  convert "$image" -crop "$geometry" +repage -fill black +opaque "$colour" -fill white -opaque "$colour" \
    -colorspace gray -format '%[fx:mean]' info:
}

# Rightmost column (0-based, -1 when none) of a region holding near-white
# pixels (text drawn in white, antialiased, on a darker ground).
e2e_extent() {
  local image="$1" geometry="$2"
  convert "$image" -crop "$geometry" +repage -colorspace gray -threshold 85% txt:- |
    awk -F'[,:]' '/#FFFFFF|white/ { if ($1 > max) max = $1 } END { print (max == "" ? -1 : max) }'
}

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

# Takes a screenshot into $1 and runs the check "$2 ..." on it, again and
# again until it passes; the last failure is printed.
e2e_until() {
  local shot="$1"; shift
  for _ in $(seq $((E2E_GUARD_TENTHS / 2))); do
    e2e_shot "$shot"
    "$@" 2>/dev/null && return 0
    sleep 0.2
  done
  e2e_shot "$shot"
  "$@"
}

# Runs the check "$@" again and again until it passes.
e2e_wait() {
  for _ in $(seq "$E2E_GUARD_TENTHS"); do
    "$@" 2>/dev/null && return 0
    sleep 0.1
  done
  "$@"
}

# Whether the window $1 has the keyboard focus.
e2e_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Gives the window $1 the keyboard focus and waits until it has it.
e2e_focus() { xdotool windowfocus "$1"; e2e_wait e2e_focused "$1" || e2e_fail "window $1 did not take the focus"; }

# The number of the program's windows that are mapped (a menu that opens
# is one more).
e2e_mapped() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l; }
e2e_more_mapped() { [ "$(e2e_mapped)" -gt "$1" ]; }
# Clicks the menu bar at (x, y), waits until the menu is shown, then types
# the keys "$3 ...".
e2e_menu() {
  local x="$1" y="$2" before
  shift 2
  before=$(e2e_mapped)
  xdotool mousemove "$x" "$y" click 1
  e2e_wait e2e_more_mapped "$before" || e2e_fail "the menu at ($x, $y) did not open"
  xdotool key "$@"
}

# Waits until the region $2 of the screen stands still (two shots in a row
# alike) and leaves the last shot in $1.
e2e_settled() {
  local shot="$1" region="$2" a="" b
  for _ in $(seq $((E2E_GUARD_TENTHS / 2))); do
    e2e_shot "$shot"
    b=$(convert "$shot" -crop "$region" +repage rgb:- | sha256sum)
    [ "$a" = "$b" ] && return 0
    a=$b
    sleep 0.2
  done
  return 1
}

# Whether the region $3 of the images $1 and $2 is alike.
e2e_same() { cmp -s <(convert "$1" -crop "$3" +repage rgb:-) <(convert "$2" -crop "$3" +repage rgb:-); }

# True when the awk condition holds for the value v.
e2e_holds() { awk -v v="$1" "BEGIN { exit !($2) }"; }

# The player's data folder ($data, under a private $XDG_DATA_HOME) and the
# bundle the program seeds it from ($VEXA_GAMES_DIR): the games of
# tests/e2e/data/$1.
e2e_bundle() {
  export XDG_DATA_HOME="$work/xdg"
  data="$XDG_DATA_HOME/vexasolit"
  mkdir -p "$data" "$work/bundle"
  cp "$(dirname "${BASH_SOURCE[0]}")/data/$1"/*.ini "$work/bundle/"
  export VEXA_GAMES_DIR="$work/bundle"
}

# Starts the program under test ($app) with the arguments "$2 ..." and
# waits for its window titled $1 (see e2e_locate).
e2e_launch() {
  local title="$1"
  shift
  "$app" "$@" >"$work/app.log" 2>&1 &
  APP_PID=$!
  e2e_locate "$title"
}
# Finds the program's window titled $1: $main, its corner MX, MY, and the
# table area's TX, TY (below the menu bar).
e2e_locate() {
  main=$(e2e_wait_window "$1") || { cat "$work/app.log" >&2; e2e_fail "no window \"$1\""; }
  read -r MX MY < <(e2e_window_origin "$main")
  TX=$MX
  TY=$((MY + 20))
}
# On the welcome window: a click opens the chooser, Enter loads the game
# selected there.
e2e_choose_game() {
  e2e_settled "$work/welcome.png" "200x100+$MX+$MY" || e2e_fail "the welcome window did not settle"
  xdotool mousemove $((MX + 40)) $((MY + 60)) click 1
  e2e_wait_window "Please choose a game to play" >/dev/null || e2e_fail "the chooser did not open"
  xdotool key Return
}
# Game > Exit: the program ends with status 0.
e2e_exit() {
  e2e_menu $((MX + 20)) $((MY + 10)) x
  wait "$APP_PID" || { cat "$work/app.log" >&2; e2e_fail "the program did not end cleanly"; }
  APP_PID=""
}
