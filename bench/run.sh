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

cmake --build "$build" --target kelvar_frame_bench >/dev/null || exit 2

# 1. Frames: clear, every element, present, in a real window under Xvfb.
set -- $(xvfb-run -a -s "-screen 0 1024x768x24" "$build/kelvar_frame_bench" 2000)
line "$(awk -v m="$1" -v p="$2" 'BEGIN { printf "frame play field: median %.3f ms, p99 %.3f ms (bound 1.5 ms) %s", m, p, (p <= 1.5 ? "OK" : "FAIL") }')"

# 6. Headless speed: play ticks per CPU second over the recorded game, 20 runs.
"$bin" --headless "$demo" --trace "$out/head.jsonl" >/dev/null || exit 2
ticks=$(wc -l <"$out/head.jsonl")
/usr/bin/time -f "%U %S" -o "$out/cpu" sh -c "for i in \$(seq 20); do \"$bin\" --headless \"$demo\" >/dev/null; done"
line "$(awk -v t="$ticks" '{ r = 20 * t / ($1 + $2 + 1e-9); printf "headless: %d ticks per CPU second (bound 400000) %s", r, (r >= 400000 ? "OK" : "FAIL") }' "$out/cpu")"

# 5. Start-up: exec to the title window mapped, median of 5.
cat >"$out/startup.sh" <<'INNER'
for i in 1 2 3 4 5; do
    t0=$(date +%s%N)
    "$1" & pid=$!
    until xdotool search --onlyvisible --name . >/dev/null 2>&1; do sleep 0.005; done
    t1=$(date +%s%N)
    kill $pid; wait $pid 2>/dev/null
    echo $(( (t1 - t0) / 1000000 ))
done
INNER
xvfb-run -a sh "$out/startup.sh" "$bin" | sort -n >"$out/startup"
med=$(sed -n 3p "$out/startup")
line "start-up: median ${med} ms of $(tr '\n' ' ' <"$out/startup")(bound 150 ms) $([ "${med:-9999}" -le 150 ] && echo OK || echo FAIL)"

# 2, 3, 4. Pacing, replay time, in-tick waits, CPU while playing and idle, peak memory.
sh "$here/bench/pacing.sh" "$build" "$out" >"$out/pacing"
while IFS= read -r l; do line "$l"; done <"$out/pacing"

exit $fail
