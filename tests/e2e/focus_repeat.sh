#!/bin/sh
# A key held on the play field repeats, after the delay, as long as it is held; when the window
# loses the keyboard nothing is held any more, and the repeats stop though the key never came
# up in the window.
# Usage: focus_repeat.sh PATH/TO/kelvar-raid PATH/TO/kelvar_x11_close PATH/TO/kelvar_x11_click_on_map
set -eu
. "$(dirname "$(readlink -f "$0")")/lib/common.sh"
e2e_start "" "$@"

left_lines() { grep -c ' key 37$' game.demo || true; }
more_left_than() { [ "$(left_lines)" -gt "$1" ]; }
start_recording
click_start_game
click_begin
await_ticks 5

# Held: the first press, then its repeats.
xdotool keydown Left
wait_for 60 more_left_than 3 || fail "a held Left does not repeat"

# The keyboard goes to the desktop; the key is still down.
xdotool windowfocus "$(xdotool search --maxdepth 0 '' 2>/dev/null | head -n 1)"
# Once the game has run on a while, what it recorded of Left stays as it is.
await_ticks $(($(trace_lines) + 20)) "the game stopped ticking"
settled=$(left_lines)
await_ticks $(($(trace_lines) + 60)) "the game stopped ticking"
[ "$(left_lines)" -eq "$settled" ] ||
    fail "Left went on repeating after the window lost the keyboard ($settled, then $(left_lines) lines)"
xdotool keyup Left
echo "PASS: $settled Left presses and repeats, none after the focus went"
