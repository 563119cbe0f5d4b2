#!/bin/sh
# Walks a candidate's day through the real program on a virtual screen and
# takes a screenshot after each part: the home page, a whole unit practised
# (two questions answered, one marked, the set finished), and the first
# mock paper sat (login, one answer, hand-in through both confirmations,
# the score sheet). Not a test: look at the pictures.
#
#   tools/day_walk.sh [build folder] [display] [output folder]
#
# Needs Xvfb, xdotool and ImageMagick's import. The program runs on a copy
# of the laid-out sample installation, so the build's records stay as they
# are. Positions are screen pixels of a 1366 x 768 screen at 100 %.
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
DISPLAY_NUMBER=${2:-:87}
OUT=${3:-/tmp/w7day}

mkdir -p "$OUT/rt"
chmod 700 "$OUT/rt"
rm -rf "$OUT/program"
cp -r "$BUILD/sample" "$OUT/program"

Xvfb "$DISPLAY_NUMBER" -screen 0 1366x768x24 >"$OUT/xvfb.log" 2>&1 &
XVFB=$!
PROGRAM=
finish() {
    [ -n "$PROGRAM" ] && kill "$PROGRAM" 2>/dev/null || true
    kill "$XVFB" 2>/dev/null || true
}
trap finish EXIT
sleep 1

export DISPLAY="$DISPLAY_NUMBER"
(cd "$OUT/program" && XDG_RUNTIME_DIR="$OUT/rt" exec ./w7practice) >"$OUT/program.log" 2>&1 &
PROGRAM=$!

shot() { sleep "${2:-1}"; import -window root "$OUT/$1.png"; echo "$OUT/$1.png"; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.5; }
dblclick() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 80 1; }
drag() {
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.2
    xdotool mousemove $(( ($1 + $3) / 2 )) "$4"
    sleep 0.1
    xdotool mousemove "$3" "$4"
    sleep 0.2
    xdotool mouseup 1
}

# The home page after the splash.
shot 01-home 3

# The units tab, then its start button: the whole first unit.
click 517 358
shot 02-units-tab
click 943 606
shot 03-unit-question-1 2
# Question 1: the folder opened with a double click.
dblclick 247 207
shot 04-unit-question-1-done 3
# Question 2 marked, question 4 answered by a drag.
click 954 484
click 1093 484
shot 05-unit-question-2-marked
click 954 484
click 954 484
drag 247 207 357 207
shot 06-unit-question-4-done
# The set finished: back on the units tab.
click 897 640
shot 07-unit-finished 2

# The papers tab and the first paper's start: the login.
click 513 152
shot 08-papers-tab
click 717 259
shot 09-login 2
click 329 392
shot 10-login-confirmed 0.3
shot 11-paper-question-1 2
dblclick 247 207
sleep 3
click 954 484
# The hand-in and both confirmations.
click 897 640
shot 12-hand-in-1
click 619 453
shot 13-hand-in-2
click 619 453
shot 14-score-sheet 2
