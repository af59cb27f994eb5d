#!/bin/sh
# Measures the program's figures on this machine and prints one line per figure against its
# bound; exits non-zero when any falls short. Needs a built tree (`make build`) and Xvfb.
# Usage: bench/run.sh [BUILD_DIR]
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
bin=$build/kelvar-raid
demo=$here/tests/data/levels_0_to_8.demo
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail=0
line() { echo "$1"; case "$1" in *FAIL*) fail=1 ;; esac; }
export SDL_AUDIODRIVER=dummy

# 1, 5. Frames of the three windows and start-up.
sh "$here/bench/frames.sh" "$build" >"$out/frames" || fail=1
while IFS= read -r l; do line "$l"; done <"$out/frames"

# Sound: call to first sample at the device, cut-off, played to its end (disk audio driver).
"$here/bench/sound.sh" "$build" >"$out/sound"; [ $? -le 1 ] || exit 2
while IFS= read -r l; do line "$l"; done <"$out/sound"

# 6. Headless speed: the ticks alone, in one process (CPU time and callgrind).
sh "$here/bench/headless.sh" "$build" >"$out/headless" ||
    [ -s "$out/headless" ] || echo "headless: not measured (bench/headless.sh failed) FAIL" >"$out/headless"
while IFS= read -r l; do line "$l"; done <"$out/headless"

# 2, 3, 4. The recorded game replayed in the window: pacing, CPU, peak memory; compared with
# the headless trace of the same game.
"$bin" --headless "$demo" --trace "$out/head.jsonl" >/dev/null || exit 2
/usr/bin/time -f "%U %S %e %M" -o "$out/play" \
    xvfb-run -a "$bin" --demo "$demo" --trace "$out/win.jsonl" >/dev/null 2>"$out/err"
# The X server's share is in the figures too; the program's own is what the bounds are for.
python3 "$here/bench/analyse.py" "$out/win.jsonl" "$out/head.jsonl" >"$out/figures"
while IFS= read -r l; do line "$l"; done <"$out/figures"
read -r u s e m <"$out/play"
line "$(awk -v u="$u" -v s="$s" -v e="$e" 'BEGIN { c = 100 * (u + s) / e; printf "CPU while playing (with Xvfb): %.1f%% of a core (bound 5%%) %s", c, (c <= 5 ? "OK" : "FAIL") }')"
line "peak RSS (largest process): $((m / 1024)) MB (bound 64 MB) $([ $((m / 1024)) -le 64 ] && echo OK || echo FAIL)"

exit $fail
