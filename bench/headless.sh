#!/bin/sh
# The rules' own speed, headless, in one process: play ticks per CPU second and instructions per
# play tick over the recorded game and a long autopilot game. Prints one line per figure against
# its bound; exits non-zero when either falls short.
# Usage: bench/headless.sh [BUILD_DIR]
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
bench=$build/kelvar_headless_bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cmake --build "$build" --target kelvar_headless_bench kelvar-raid >/dev/null || exit 2
# The longest games: the recorded one and the autopilot's game from the default seed, which
# lasts 58,867 ticks (to level 97); made afresh, so it follows the rules of this build.
"$build/kelvar-raid" --autopilot 100000 --record "$out/long.demo" >/dev/null || exit 2
set -- "$here/tests/data/levels_0_to_8.demo" "$out/long.demo"

fail=0
report() {
    echo "$1"
    case "$1" in *FAIL*) fail=1 ;; esac
}
# Process CPU time around the ticks alone, 20 replays of both games.
timed=$("$bench" --repeat 20 "$@") || exit 2
report "$(echo "$timed" | awk '{ r = $2 / ($4 + 1e-9); printf "headless: %d play ticks per CPU second (bound 400000) %s", r, (r >= 400000 ? "OK" : "FAIL") }')"

# Instructions: callgrind counts only inside the timed function (--toggle-collect), at two
# lengths; the difference of one replay of both games, divided by its play ticks.
count() {
    valgrind --tool=callgrind --callgrind-out-file="$out/cg.$1" \
        --toggle-collect='kelvar::bench::playToEnd*' "$bench" --repeat "$@" 2>/dev/null |
        awk '{ print $2 }'
    awk '/^totals:/ { print $2 }' "$out/cg.$1"
}
if ! command -v valgrind >/dev/null; then
    report "headless: instructions per play tick not measured, no valgrind (bound 6000) FAIL"
    exit $fail
fi
set -- $(count 1 "$@") $(count 2 "$@")
if [ $# -ne 4 ]; then
    report "headless: instructions per play tick not measured, callgrind failed (bound 6000) FAIL"
    exit $fail
fi
report "$(awk -v t1="$1" -v i1="$2" -v t2="$3" -v i2="$4" 'BEGIN { r = t2 > t1 ? (i2 - i1) / (t2 - t1) : 0; printf "headless: %d instructions per play tick (bound 6000) %s", r, (r > 0 && r <= 6000 ? "OK" : "FAIL") }')"
exit $fail
