#!/bin/sh
# A game recorded with --record is written as it goes: killed with SIGKILL in the middle of a
# game, the program leaves a recording that replays without a window exactly as the game went,
# up to where it was cut, and says on stderr where that was. The recording replaced the old file
# whole, at "BEGIN".
# Usage: crash_record.sh PATH/TO/kelvar-raid
set -eu
game=$(readlink -f "$1")
. "$(dirname "$(readlink -f "$0")")/lib/common.sh"

under_xvfb "-screen 0 1024x768x24" "$0" "$@"
enter_work_folder

await_window() { wait_for 60 window_of_size "$1" && window_of_size "$1"; }
click_twips() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1; }
key_lines() { grep -c ' key ' game.demo || true; }

printf 'an old recording\n' > game.demo
"$game" --trace "$work/trace.jsonl" --record "$work/game.demo" 2>"$work/stderr" &
pid=$!
title=$(await_window 351x401) || fail "the title screen did not appear"
click_twips "$title" $((1800 + 1695 / 2)) $((3720 + 375 / 2))    # Start Game
help=$(await_window 438x397) || fail "the help screen did not appear"
grep -q '^an old recording$' game.demo || fail "the old recording was replaced before BEGIN"
click_twips "$help" $((300 + 2415 / 2)) $((4200 + 375 / 2))      # BEGIN
play=$(await_window 471x402) || fail "the play field did not appear"
wait_for 60 grep -q '^kelvar-raid demo 1$' game.demo || fail "no header written at BEGIN"
xdotool mousemove --window "$play" 100 100
xdotool windowfocus --sync "$play" 2>/dev/null || true
# Steering and firing until the recording holds a few keys: it is written while the game runs.
tries=0
while [ "$(key_lines)" -lt 6 ]; do
    tries=$((tries + 1))
    [ $tries -le 200 ] || fail "no keys reached the recording while the game ran"
    xdotool key Left space Right
    sleep 0.1
done
wait_for 60 more_ticks_than 20 || fail "the game does not tick"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=""
[ -z "$(ls game.demo.* 2>/dev/null)" ] || fail "a temporary twin was left: $(ls game.demo.*)"
! grep -q ' end$' game.demo || fail "a killed game's recording has an end line"

# The window's trace, its whole lines, is the game up to the cut.
grep '^{"tick".*}$' trace.jsonl > window.jsonl
played=$(grep -c . window.jsonl)
"$game" --headless game.demo --trace replay.jsonl >/dev/null 2>replay.err ||
    { cat replay.err >&2; fail "the cut recording does not replay"; }
[ "$(grep -c . replay.err)" -eq 1 ] && grep -q '^kelvar-raid: game.demo is cut short after line [0-9]* (tick [0-9]*), with no end line; replayed as far as it goes$' replay.err ||
    { cat replay.err >&2; fail "not one line on stderr saying where the recording was cut"; }
[ "$(grep -c . replay.jsonl)" -ge "$played" ] || fail "the replay ended before the cut"
# Times are real in the window and virtual without it, and so are the sounds that depend on them.
for f in window replay; do
    head -n "$played" $f.jsonl | sed -e 's/"sounds":\[[0-9,]*\],//' \
        -e 's/"start":[0-9.]*,"end":[0-9.]*,\("due":[0-9]*,"wait_late":\[[0-9,-]*\],\)\{0,1\}//' > $f.cut
done
cmp -s window.cut replay.cut || { diff window.cut replay.cut | head -5 >&2; fail "the replay differs from the game"; }
echo "PASS: killed after $played ticks, $(key_lines) keys recorded; the replay's ticks equal the game's"
