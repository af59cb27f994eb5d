#!/bin/sh
# A game recorded with --record is written as it goes: killed with SIGKILL in the middle of a
# game, the program leaves a recording that replays without a window exactly as the game went,
# up to where it was cut, and says on stderr where that was. The recording replaced the old file
# whole, at "BEGIN".
# Usage: crash_record.sh PATH/TO/kelvar-raid PATH/TO/kelvar_x11_close PATH/TO/kelvar_x11_click_on_map
set -eu
. "$(dirname "$(readlink -f "$0")")/lib/common.sh"
e2e_start "" "$@"

key_lines() { grep -c ' key ' game.demo || true; }
printf 'an old recording\n' > game.demo
start_recording
click_start_game
grep -q '^an old recording$' game.demo || fail "the old recording was replaced before BEGIN"
click_begin
wait_for 60 grep -q '^kelvar-raid demo 1$' game.demo || fail "no header written at BEGIN"
# Steering and firing until the recording holds a few keys: it is written while the game runs.
tries=0
while [ "$(key_lines)" -lt 6 ]; do
    tries=$((tries + 1))
    [ $tries -le 200 ] || fail "no keys reached the recording while the game ran"
    xdotool key Left space Right
    sleep 0.1
done
await_ticks 20
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=""
[ -z "$(ls game.demo.* 2>/dev/null)" ] || fail "a temporary twin was left: $(ls game.demo.*)"
! grep -q ' end$' game.demo || fail "a killed game's recording has an end line"

# The window's trace, its whole lines, is the game up to the cut.
played=$(grep -c '^{"tick".*}$' trace.jsonl)
"$game" --headless game.demo --trace replay.jsonl >/dev/null 2>replay.err ||
    { cat replay.err >&2; fail "the cut recording does not replay"; }
[ "$(grep -c . replay.err)" -eq 1 ] && grep -q '^kelvar-raid: game.demo is cut short after line [0-9]* (tick [0-9]*), with no end line; replayed as far as it goes$' replay.err ||
    { cat replay.err >&2; fail "not one line on stderr saying where the recording was cut"; }
same_ticks trace.jsonl replay.jsonl "$played"
echo "PASS: killed after $played ticks, $(key_lines) keys recorded; the replay's ticks equal the game's"
