#!/bin/sh
# Drives the real program under Xvfb as a player would, with real X11 clicks and key presses:
# title -> help (speed "Reduce Game Speed (MAX)") -> BEGIN -> play (keypad arrow, Pause held,
# Pause) -> Escape -> title -> "x". Every click comes the moment its window appears. The game is
# recorded, and its replay without a window must give the same ticks.
# Every check waits for what it looks for, with a deadline; the one fixed wait is how long Pause
# is held, which is what that step tests. No check counts ticks against the clock.
# Usage: flow.sh PATH/TO/kelvar-raid PATH/TO/kelvar_x11_close PATH/TO/kelvar_x11_click_on_map
set -eu
. "$(dirname "$(readlink -f "$0")")/lib/common.sh"
# The X server repeats no key within the test: holding Pause checks the game's own repeat.
e2e_start "-ardelay 60000" "$@"

# Started from a folder without one, the options file belongs in the desktop's configuration.
cfg=config/kelvar-raid/OPTION.CFG
start_recording
[ -e "$cfg" ] || [ -e OPTION.CFG ] && fail "an options file was written before BEGIN"
click_start_game
wait_for 60 eval '! window_of_size 351x401' || fail "the title screen is still shown"
click_twips "$help" $((5760 + 120)) $((5490 + 120))              # Reduce Game Speed (MAX)
click_begin
printf '2\r\n 0\r\n' | cmp -s - "$cfg" || fail "$cfg is not '2' and ' 0'"
await_ticks 10
grep -q '"Interval":45' trace.jsonl || fail "the tick does not run at 45 ms"
echo "title, help and play field came up; $cfg written; ticking at 45 ms"

xdotool key KP_Left                          # the keypad's arrow (NumLock off)
xdotool keydown Pause
# Held past the longest key-repeat delay (1 s): a repeated Pause would resume the game (checked
# below in the recording, which has every key the game took, at its tick).
sleep 1.2
xdotool keyup Pause
n=$(trace_lines)
xdotool key Pause                            # resume
await_ticks $((n + 3)) "the game did not resume after Pause"
xdotool key Escape
title=$(await_window 351x401) || fail "Escape did not return to the title screen"
wait_for 60 grep -q '"game_over":true' trace.jsonl || fail "no game-over tick in the trace"
wait_for 60 grep -q ' end$' game.demo || fail "the game was not recorded"
# Holding Pause for a second paused once; the second press resumed: two pause keys in all.
pauses_and_left_recorded
# Paused in between: no tick ran between the two presses. The second came before the tick of
# the first, or, when the first came inside a tick, before the next one.
grep ' key 19$' game.demo | awk 'NR == 1 { t = $1; p = $2 } NR == 2 {
    exit !($1 == t || ($1 == t + 1 && $2 == 0 && p > 0)) }' ||
    { cat game.demo >&2; fail "the game ticked between the two pause keys"; }
replay_matches

click_twips "$title" $((4800 + 255 / 2)) $((3720 + 250 / 2))     # x
await_exit x
echo "PASS"
