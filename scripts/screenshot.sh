#!/bin/sh
# Takes screenshots of the game under Xvfb at a given screen size, for the README, the software
# centres' screenshots in docs/screenshots and for looking at how the windows scale. Needs
# ImageMagick and xdotool (scripts/install-deps installs both).
# Usage: scripts/screenshot.sh PATH/TO/kelvar-raid WIDTHxHEIGHT OUT.png [ARGS...]
# Writes the whole screen in play to OUT.png, and the windows to OUT-title.png, OUT-help.png and
# OUT-window.png (the play field).
# At 1920x1080 the windows are at scale 2, the size of docs/screenshots.
set -eu
command -v import >/dev/null ||
    { echo "screenshot.sh: ImageMagick's import is missing: run scripts/install-deps" >&2; exit 1; }
game=$(readlink -f "$1")
screen=$2
out=$(readlink -f "$3")
shift 3
. "$(dirname "$(readlink -f "$0")")/../tests/e2e/lib/common.sh"

under_xvfb "-screen 0 ${screen}x24" "$0" "$game" "$screen" "$out" "$@"
enter_work_folder

# The visible game window whose width and height are a multiple of the given ones; prints its
# id and the scale.
window_scaled() {
    for w in $(xdotool search --onlyvisible --name '^Kelvar Raid$' 2>/dev/null); do
        size=$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: //p')
        ww=${size%x*}
        wh=${size#*x}
        if [ $((ww % $1)) -eq 0 ] && [ $((ww / $1 * $2)) -eq $((wh)) ]; then
            echo "$w $((ww / $1))"
            return 0
        fi
    done
    return 1
}

"$game" --trace trace.jsonl "$@" 2>stderr &
pid=$!
wait_for 20 window_scaled 351 401 || { cat stderr >&2; echo "no title screen" >&2; exit 1; }
set -- $(window_scaled 351 401)
title=$1
scale=$2
echo "title screen at scale $scale"
click() { xdotool mousemove --window "$1" $(( $2 * scale / 15 )) $(( $3 * scale / 15 )) click 1; }
import -window "$title" "${out%.png}-title.png"
click "$title" $((1800 + 1695 / 2)) $((3720 + 375 / 2))    # Start Game
wait_for 20 window_scaled 438 397 || { echo "no help screen" >&2; exit 1; }
help=$(window_scaled 438 397 | cut -d' ' -f1)
import -window "$help" "${out%.png}-help.png"
click "$help" $((300 + 2415 / 2)) $((4200 + 375 / 2))      # BEGIN
wait_for 20 more_ticks_than 120 || { echo "the game does not run" >&2; exit 1; }
play=$(xdotool search --onlyvisible --name '^Kelvar Raid$' | head -n 1)
xdotool windowfocus --sync "$play" 2>/dev/null || true
xdotool key --delay 60 Left Left space Right Right Right space
import -window root "$out"
import -window "$play" "${out%.png}-window.png"
echo "screenshots: $out and ${out%.png}-{title,help,window}.png"
