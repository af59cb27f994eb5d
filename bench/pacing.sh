#!/bin/sh
# The window's pacing figures, one line each, for bench/run.sh:
#   the recorded game replayed in the window at 35 ms (replay time, in-tick waits, hit tick,
#   pacing, period, bursts; CPU and peak memory while playing);
#   then the same game's first 2,118 ticks (2,000 timed: the level changes are not) at 30,
#   40 and 45 ms, one after another (the rules are per tick, so the game is the same at every
#   speed).
# Usage: bench/pacing.sh BUILD_DIR WORK_DIR
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
out=$(cd "$2" && pwd)
bin=$build/kelvar-raid
demo=$here/tests/data/levels_0_to_8.demo
export SDL_AUDIODRIVER=dummy

# The demo at another speed, ending after tick $2.
demo_at() {
    sed -e "s/^speed U/speed $1/" -e '/^[0-9]* end$/d' "$demo" |
        awk -v last="$2" '!($1 ~ /^[0-9]+$/ && $1 + 0 > last)' >"$out/speed$1.demo"
    echo "$2 end" >>"$out/speed$1.demo"
}

# The program's CPU over the first level change (the end of tick 485 to the end of tick 486:
# two sounds played to their end, 2.1 s of waits, the ship's flight drawn in 30 frames), read
# as the replay writes those lines: `tail -f` follows the trace without polling.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'; }
level_change() {
    until [ -s "$out/win.jsonl" ]; do sleep 0.2; done
    pid=$(pgrep -n -f "^$bin --demo $demo --trace $out/win.jsonl")
    tail -n +1 -f "$out/win.jsonl" | grep --line-buffered -m 2 '^{"tick":48[56],' |
        while read -r _; do echo "$(cpu_ns "$pid") $(date +%s%N)"; done | {
        read -r c0 t0 && read -r c1 t1 &&
            awk -v c="$((c1 - c0))" -v t="$((t1 - t0))" 'BEGIN {
                printf "  parts: the level change (two sounds to their end, 2.1 s of waits, 30 frames of flight): %.3f%% of a core over %.1f s\n", 100 * c / t, t / 1e9 }'
    }
}

"$bin" --headless "$demo" --trace "$out/head.jsonl" >/dev/null || exit 2
rm -f "$out/win.jsonl"
level_change >"$out/level_change" &
watcher=$!
/usr/bin/time -f "%U %S %e %M" -o "$out/play" \
    xvfb-run -a "$bin" --demo "$demo" --trace "$out/win.jsonl" >/dev/null 2>"$out/err"
python3 "$here/bench/analyse.py" "$out/win.jsonl" "$out/head.jsonl"
read -r u s e m <"$out/play"
# The X server's share is in this figure too.
awk -v u="$u" -v s="$s" -v e="$e" 'BEGIN { c = 100 * (u + s) / e; printf "CPU while playing (with Xvfb): %.1f%% of a core (bound 5%%) %s\n", c, (c <= 5 ? "OK" : "FAIL") }'
pkill -f "tail -n +1 -f $out/win.jsonl" # only if the replay never reached tick 486
wait $watcher
cat "$out/level_change"
echo "peak RSS (largest process): $((m / 1024)) MB (bound 64 MB) $([ $((m / 1024)) -le 64 ] && echo OK || echo FAIL)"

# One after another: three games and their X servers at once on two cores measure the
# scheduler, not the program.
for code in 0 1 2; do
    demo_at $code 2118
    "$bin" --headless "$out/speed$code.demo" --trace "$out/head$code.jsonl" >/dev/null || exit 2
    xvfb-run -a "$bin" --demo "$out/speed$code.demo" --trace "$out/win$code.jsonl" \
        >/dev/null 2>>"$out/err"
    python3 "$here/bench/analyse.py" "$out/win$code.jsonl" "$out/head$code.jsonl" | grep -E '^(pacing|period|bursts) '
done
