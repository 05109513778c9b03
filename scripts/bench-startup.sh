#!/usr/bin/env bash
# Start-up of the game against a bare Qt 6 window with a menu bar, side by
# side in one run under a private X server: the time from launch to the
# visible window and the peak resident memory, median of several alternating
# runs of each, and the ratios game / bare window.
# Usage: scripts/bench-startup.sh [build folder] [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$root/build}")"
runs="${2:-7}"
. "$root/tests/e2e/lib.sh"
work=$(mktemp -d)
trap 'e2e_stop_x; rm -rf "$work"' EXIT

# The bare window: a main window with the game's three menus, nothing else,
# built with the same compiler options as the game.
cat >"$work/bare.cpp" <<'CPP'
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Bare Qt Window");
    window.menuBar()->addMenu("Game")->addAction("Exit", &app, &QApplication::quit);
    window.menuBar()->addMenu("Edit")->addAction("Undo");
    window.menuBar()->addMenu("Help")->addAction("About");
    window.resize(228, 150);
    window.show();
    return app.exec();
}
CPP
c++ -std=c++20 -O2 -fPIC "$work/bare.cpp" -o "$work/bare" $(pkg-config --cflags --libs Qt6Widgets)

e2e_start_x
# The game plays in its own data folder, seeded by the warm-up run.
export XDG_DATA_HOME="$work/xdg"

# Prints "milliseconds peak-KiB" of one start of $2 up to its window $1.
measure() {
  local name="$1" program="$2" start end id="" status
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$work/peak" "$program" >/dev/null 2>&1 &
  local pid=$!
  while [ -z "$id" ]; do
    id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1 || true)
  done
  end=$(date +%s%N)
  sleep 0.5  # what the window holds once it has painted
  xdotool windowkill "$id" 2>/dev/null || true
  wait "$pid" || true
  echo "$(((end - start) / 1000000)) $(tail -n 1 "$work/peak")"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

measure "Bare Qt Window" "$work/bare" >/dev/null
measure "Vexa Solitaire" "$build/vexasolit" >/dev/null
: >"$work/bare.txt"
: >"$work/game.txt"
for run in $(seq "$runs"); do
  measure "Bare Qt Window" "$work/bare" >>"$work/bare.txt"
  measure "Vexa Solitaire" "$build/vexasolit" >>"$work/game.txt"
done

bt=$(cut -d' ' -f1 "$work/bare.txt" | median)
bm=$(cut -d' ' -f2 "$work/bare.txt" | median)
gt=$(cut -d' ' -f1 "$work/game.txt" | median)
gm=$(cut -d' ' -f2 "$work/game.txt" | median)
printf '%-16s %12s %16s\n' "" "start-up ms" "peak memory KiB"
printf '%-16s %12s %16s\n' "bare Qt window" "$bt" "$bm" "Vexa Solitaire" "$gt" "$gm"
awk -v bt="$bt" -v gt="$gt" -v bm="$bm" -v gm="$gm" 'BEGIN {
  printf "ratio           %12.2f %16.2f   (targets 1.25 and 1.30)\n", gt / bt, gm / bm }'
