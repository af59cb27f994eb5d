#!/bin/sh
# Drives the real program under Xvfb as a player would, with real X11 clicks and key presses:
# title -> help (speed "Reduce Game Speed (MAX)") -> BEGIN -> play -> Escape -> title -> "x".
# Usage: flow.sh PATH/TO/kelvar-raid
set -eu
game=$(readlink -f "$1")

if [ -z "${KELVAR_E2E_INNER:-}" ]; then
    export KELVAR_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh "$0" "$game"
fi

export SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"

# The game's own stderr goes with a failure: a sanitizer's report lands there.
fail() { echo "FAIL: $*" >&2; cat "$work/stderr" >&2; exit 1; }

# Waits for a visible "Kelvar Raid" window of the given client size; prints its id.
window_of_size() {
    want="$1"
    i=0
    while [ $i -lt 100 ]; do
        for w in $(xdotool search --onlyvisible --name '^Kelvar Raid$' 2>/dev/null); do
            size=$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: //p')
            if [ "$size" = "$want" ]; then echo "$w"; return 0; fi
        done
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}

# Waits until a window has stopped moving: a window is shown first and placed after, and a
# slow build (the sanitizers) leaves time for a click to land before the move.
settled() {
    last=""
    i=0
    while [ $i -lt 50 ]; do
        now=$(xdotool getwindowgeometry "$1" 2>/dev/null | tr -d '\n')
        [ -n "$now" ] && [ "$now" = "$last" ] && return 0
        last="$now"
        sleep 0.2
        i=$((i + 1))
    done
    return 1
}

# Clicks at a point of a window's client area given in twips (15 twips to the pixel).
click_twips() {
    settled "$1" || fail "window $1 keeps moving"
    x=$(( $2 / 15 )); y=$(( $3 / 15 ))
    xdotool mousemove --window "$1" "$x" "$y" sleep 0.1 click 1
}

"$game" --trace "$work/trace.jsonl" 2>"$work/stderr" &
pid=$!

title=$(window_of_size 351x401) || fail "the title screen (351x401) did not appear"
echo "title screen: window $title"
[ ! -e OPTION.CFG ] || fail "OPTION.CFG written before BEGIN"

click_twips "$title" $((1800 + 1695 / 2)) $((3720 + 375 / 2))    # Start Game
help=$(window_of_size 438x397) || fail "the help screen (438x397) did not appear"
echo "help screen: window $help"
xdotool search --onlyvisible --name '^Kelvar Raid$' | grep -qx "$title" && fail "the title screen is still shown"

click_twips "$help" $((5760 + 120)) $((5490 + 120))              # Reduce Game Speed (MAX)
click_twips "$help" $((300 + 2415 / 2)) $((4200 + 375 / 2))      # BEGIN
play=$(window_of_size 471x402) || fail "the play field (471x402) did not appear"
echo "play field: window $play"

printf '2\r\n 0\r\n' > expected.cfg
cmp -s OPTION.CFG expected.cfg || { od -c OPTION.CFG >&2; fail "OPTION.CFG is not '2' and ' 0'"; }

# Let the game tick for a while, then read the interval and the spacing of the ticks.
sleep 1.5
ticks=$(wc -l < trace.jsonl)
[ "$ticks" -ge 10 ] || fail "only $ticks ticks in 1.5 s"
grep -q '"Interval":45' trace.jsonl || fail "the tick does not run at 45 ms"
first=$(sed -n '5p' trace.jsonl | sed 's/.*"start":\([0-9]*\).*/\1/')
last=$(sed -n '15p' trace.jsonl | sed 's/.*"start":\([0-9]*\).*/\1/')
spacing=$(( (last - first) / 10 ))
echo "tick spacing: $spacing ms"
[ "$spacing" -ge 44 ] && [ "$spacing" -le 60 ] || fail "ticks $spacing ms apart, not 45"

xdotool mousemove --window "$play" 100 100
xdotool windowfocus --sync "$play" 2>/dev/null || true
xdotool key --window "$play" Escape
title=$(window_of_size 351x401) || fail "Escape did not return to the title screen"
# The title shows inside the game-over tick; its trace line follows when the tick returns.
i=0
until grep -q '"game_over":true' trace.jsonl; do
    [ $i -lt 50 ] || fail "no game-over tick in the trace"
    sleep 0.1
    i=$((i + 1))
done
echo "back at the title: window $title"

click_twips "$title" $((4800 + 255 / 2)) $((3720 + 250 / 2))     # x
i=0
while kill -0 "$pid" 2>/dev/null && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after x"
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit code $status after x"
echo "PASS"
