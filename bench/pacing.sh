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

"$bin" --headless "$demo" --trace "$out/head.jsonl" >/dev/null || exit 2
/usr/bin/time -f "%U %S %e %M" -o "$out/play" \
    xvfb-run -a "$bin" --demo "$demo" --trace "$out/win.jsonl" >/dev/null 2>"$out/err"
python3 "$here/bench/analyse.py" "$out/win.jsonl" "$out/head.jsonl"
read -r u s e m <"$out/play"
# The X server's share is in this figure too.
awk -v u="$u" -v s="$s" -v e="$e" 'BEGIN { c = 100 * (u + s) / e; printf "CPU while playing (with Xvfb): %.1f%% of a core (bound 5%%) %s\n", c, (c <= 5 ? "OK" : "FAIL") }'
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
