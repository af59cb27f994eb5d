#!/bin/sh
# Key to screen, inside Xvfb: starts a game as a player does (Start Game, BEGIN, at 35 ms a
# tick) and lets bench/key_probe.cpp press the arrows 60 times, then Pause 30 times. The arrows
# go between the planet's sinking out of the ship's rows (the first four seconds) and the first
# strike on it (after about seven), which holds the game for 360 ms by the rules. Prints the times, one per line, to arrows.txt and
# pause.txt in the folder given.
# Usage (under xvfb-run): bench/key_to_screen.sh PROGRAM PROBE OUT_DIR
set -eu
game=$(readlink -f "$1")
probe=$(readlink -f "$2")
out=$(readlink -f "$3")
. "$(dirname "$(readlink -f "$0")")/../tests/e2e/lib/common.sh"
enter_work_folder
"$game" 2>stderr &
pid=$!
click() { xdotool mousemove --window "$1" $(( $2 / 15 )) $(( $3 / 15 )) click 1; }
wait_for 20 window_of_size 351x401 || fail "no title screen"
click "$(window_of_size 351x401)" $((1800 + 1695 / 2)) $((3720 + 375 / 2))   # Start Game
wait_for 20 window_of_size 438x397 || fail "no help screen"
click "$(window_of_size 438x397)" $((300 + 2415 / 2)) $((4200 + 375 / 2))    # BEGIN
wait_for 20 window_of_size 471x402 || fail "no play field"
play=$(window_of_size 471x402)
sleep 4.5 # the planet sinks out of the ship's rows first (119 ticks)
"$probe" "$play" arrows 60 >"$out/arrows.txt"
"$probe" "$play" pause 30 >"$out/pause.txt"
kill "$pid"
