#!/bin/sh
# A key held on the play field repeats, after the delay, as long as it is held; when the window
# loses the keyboard nothing is held any more, and the repeats stop though the key never came
# up in the window.
# Usage: focus_repeat.sh PATH/TO/kelvar-raid
set -eu
game=$(readlink -f "$1")
. "$(dirname "$(readlink -f "$0")")/lib/common.sh"

under_xvfb "-screen 0 1024x768x24" "$0" "$@"
enter_work_folder

await_window() { wait_for 60 window_of_size "$1" && window_of_size "$1"; }
click_twips() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1; }
left_lines() { grep -c ' key 37$' game.demo || true; }
more_left_than() { [ "$(left_lines)" -gt "$1" ]; }

"$game" --trace "$work/trace.jsonl" --record "$work/game.demo" 2>"$work/stderr" &
pid=$!
title=$(await_window 351x401) || fail "the title screen did not appear"
click_twips "$title" $((1800 + 1695 / 2)) $((3720 + 375 / 2))    # Start Game
help=$(await_window 438x397) || fail "the help screen did not appear"
click_twips "$help" $((300 + 2415 / 2)) $((4200 + 375 / 2))      # BEGIN
play=$(await_window 471x402) || fail "the play field did not appear"
xdotool mousemove --window "$play" 100 100
xdotool windowfocus --sync "$play" 2>/dev/null || true
wait_for 60 more_ticks_than 5 || fail "the game does not tick"

# Held: the first press, then its repeats.
xdotool keydown Left
wait_for 60 more_left_than 3 || fail "a held Left does not repeat"

# The keyboard goes to the desktop; the key is still down.
root=$(xdotool search --maxdepth 0 '' 2>/dev/null | head -n 1)
xdotool windowfocus "$root"
# Once the game has run on a while, what it recorded of Left stays as it is.
ticks=$(trace_lines)
wait_for 60 more_ticks_than $((ticks + 20)) || fail "the game stopped ticking"
settled=$(left_lines)
ticks=$(trace_lines)
wait_for 60 more_ticks_than $((ticks + 60)) || fail "the game stopped ticking"
[ "$(left_lines)" -eq "$settled" ] ||
    fail "Left went on repeating after the window lost the keyboard ($settled, then $(left_lines) lines)"
xdotool keyup Left
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
echo "PASS: $settled Left presses and repeats, none after the focus went"
