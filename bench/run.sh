#!/bin/sh
# Measures the program's figures on this machine and prints one line per figure against its
# bound; exits non-zero when any falls short. Needs a built tree (`make build`) and Xvfb.
# Usage: bench/run.sh [BUILD_DIR]
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd) # absolute: the idle probe runs in a folder of its own
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

# 6. Headless speed: the ticks alone, in one process (CPU time and callgrind). Beside it, on
# the other core, the idle probes in their own X server: both measure CPU time, which the
# other hardly moves, and the window's pacing below then runs alone.
xvfb-run -a sh "$here/bench/idle_probe.sh" "$bin" >"$out/idle" 2>"$out/idle.err" &
idle=$!
sh "$here/bench/headless.sh" "$build" >"$out/headless" ||
    [ -s "$out/headless" ] || echo "headless: not measured (bench/headless.sh failed) FAIL" >"$out/headless"
wait $idle
[ -s "$out/idle" ] || echo "idle CPU: the probe measured nothing FAIL" >"$out/idle"
while IFS= read -r l; do line "$l"; done <"$out/headless"
while IFS= read -r l; do line "$l"; done <"$out/idle"

# 2, 3, 4. Pacing, replay time, in-tick waits, CPU while playing and idle, peak memory.
sh "$here/bench/pacing.sh" "$build" "$out" >"$out/pacing"
while IFS= read -r l; do line "$l"; done <"$out/pacing"

# A quit signal or the close button ends the long tick it lands in, not the tick after it.
if KELVAR_QUIT_TICK_BOUND=1 sh "$here/tests/e2e/quit.sh" "$bin" "$build/kelvar_x11_close" \
    >"$out/quit" 2>&1; then
    line "quit: every quit ended the tick it came in (bound 0 ticks more) OK"
else
    line "quit: $(grep 'FAIL' "$out/quit" | head -n 1) (bound 0 ticks more) FAIL"
fi

exit $fail
