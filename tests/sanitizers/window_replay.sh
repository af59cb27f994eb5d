#!/bin/sh
# Replays the first levels of a recorded game in the window, at the fastest speed, and checks
# that it ticks exactly as the replay without a window. Run under the thread sanitizer: the
# loop, the audio thread and the signal watch at work together for a while, through play,
# level changes and their sounds.
# Usage: window_replay.sh PATH/TO/kelvar-raid
set -eu
game=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
. "$here/../e2e/lib/common.sh"

under_xvfb "-screen 0 1024x768x24" "$0" "$@"
enter_work_folder
# Levels 0 to 2 at 30 ms a tick.
sed 's/^speed U$/speed 0/' "$here/../data/levels_0_to_8.demo" |
    awk '$1 !~ /^[0-9]+$/ || ($1 <= 1500 && $2 != "end")' > replay.demo
echo "1500 end" >> replay.demo
"$game" --demo replay.demo --trace window.jsonl 2>stderr || fail "the window replay: exit code $?"
"$game" --headless replay.demo --trace headless.jsonl >/dev/null 2>>stderr || fail "the replay without a window"
# Times are real in the window and virtual without it, and so are the sounds that depend on them.
for f in window headless; do
    grep '^{"tick"' $f.jsonl | sed -e 's/"sounds":\[[0-9,]*\],//' \
        -e 's/"start":[0-9.]*,"end":[0-9.]*,\("due":[0-9]*,"wait_late":\[[0-9,-]*\],\)\{0,1\}//' > $f.cut
done
[ "$(grep -c . window.cut)" -ge 1500 ] || fail "the window replay ended at tick $(grep -c . window.cut)"
cmp -s window.cut headless.cut || { diff window.cut headless.cut | head -5 >&2; fail "the window replay differs"; }
[ ! -s stderr ] || fail "the programs wrote to stderr"
echo "PASS: $(grep -c . window.cut) ticks equal"
