#!/bin/sh
# Replays the first levels of a recorded game in the window, at the fastest speed, and checks
# that it ticks exactly as the replay without a window. Run under the thread sanitizer: the
# loop, the audio thread and the signal watch at work together for a while, through play,
# level changes and their sounds.
# Usage: window_replay.sh PATH/TO/kelvar-raid
set -eu
here=$(dirname "$(readlink -f "$0")")
. "$here/../e2e/lib/common.sh"
e2e_start "" "$@"
# Levels 0 to 2 at 30 ms a tick.
sed 's/^speed U$/speed 0/' "$here/../data/levels_0_to_8.demo" |
    awk '$1 !~ /^[0-9]+$/ || ($1 <= 1500 && $2 != "end")' > replay.demo
echo "1500 end" >> replay.demo
"$game" --demo replay.demo --trace window.jsonl 2>stderr || fail "the window replay: exit code $?"
"$game" --headless replay.demo --trace headless.jsonl >/dev/null 2>>stderr || fail "the replay without a window"
ticks=$(grep -c '^{"tick"' window.jsonl)
[ "$ticks" -ge 1500 ] || fail "the window replay ended at tick $ticks"
same_ticks window.jsonl headless.jsonl 999999 # every tick
[ ! -s stderr ] || fail "the programs wrote to stderr"
echo "PASS: $ticks ticks equal"
