#!/bin/sh
# The frame and start-up figures: prints one line per figure against its bound, and a line of
# parts under each frame figure. Called by run.sh with the build folder; exits non-zero when
# any figure falls short.
# Usage: bench/frames.sh BUILD_DIR
set -u
build=$1
bin=$build/kelvar-raid
fail=0
line() { echo "$1"; case "$1" in *FAIL*) fail=1 ;; esac; }

cmake "$build" >/dev/null # the key probe is there once install-deps bench has put in libXtst
cmake --build "$build" --target kelvar_frame_bench kelvar_startup_probe kelvar_key_probe \
    >/dev/null || exit 2

# Frames: clear, every element, present, in a real window under Xvfb; 1,000 after 20 to warm.
for which in "play field:play" "title:title" "help:help"; do
    name=${which%%:*}
    out=$(xvfb-run -a -s "-screen 0 1024x768x24" "$build/kelvar_frame_bench" 1000 "${which#*:}" --detail) || exit 2
    set -- $out
    line "$(awk -v n="$name" -v m="$1" -v p="$2" 'BEGIN { printf "frame %s: median %.3f ms, p99 %.3f ms (bound 1.5 ms) %s", n, m, p, (p <= 1.5 ? "OK" : "FAIL") }')"
    shift 3
    echo "  parts: draw p99 $1 ms, present p99 $2 ms, CPU median $3 ms p99 $4 ms, texts rasterised $5, allocations $6"
done

# Start-up: exec to the title window drawn, 5 runs. -noreset: a desktop's X server does not
# reset each time its last client leaves, and Xvfb's reset would add a few hundred ms to the
# next run's connection.
xvfb-run -a -s "-noreset -screen 0 1024x768x24" sh -c '
    for i in 1 2 3 4 5; do "$1" "$2" || exit 2; done' sh "$build/kelvar_startup_probe" "$bin" \
    >"${TMPDIR:-/tmp}/kelvar_startup.$$" || exit 2
sorted() { awk -v c="$1" '{ print $c }' "${TMPDIR:-/tmp}/kelvar_startup.$$" | sort -n | tr '\n' ' '; }
drawn=$(sorted 2)
med=$(echo "$drawn" | awk '{ print $3 }')
line "$(awk -v m="$med" -v all="$drawn" 'BEGIN { printf "start-up: median %.0f ms of %s(bound 150 ms) %s", m, all, (m <= 150 ? "OK" : "FAIL") }')"
echo "  parts: window mapped at $(sorted 1)ms; CPU until drawn $(sorted 3)ms"
rm -f "${TMPDIR:-/tmp}/kelvar_startup.$$"

# Key to screen: keys pressed through XTest until the window shows their effect.
keys=$(mktemp -d)
xvfb-run -a -s "-screen 0 1024x768x24" sh "$(dirname "$0")/key_to_screen.sh" "$bin" \
    "$build/kelvar_key_probe" "$keys" || exit 2
stats() { sort -n "$1" | awk '{ t[NR] = $1 } END { printf "%.2f %.2f %.2f %d", t[int((NR + 1) / 2)], t[int(NR * 0.99 + 0.999)], t[NR], NR }'; }
set -- $(stats "$keys/arrows.txt")
line "$(awk -v m="$1" -v p="$2" -v x="$3" -v n="$4" 'BEGIN { printf "key to screen (arrows, 35 ms a tick): median %s ms, p99 %s ms, max %s ms over %d (bound 37 ms) %s", m, p, x, n, (n >= 60 && p <= 37 ? "OK" : "FAIL") }')"
set -- $(stats "$keys/pause.txt")
echo "  parts: Pause to its banner (drawn without waiting for a tick): median $1 ms, p99 $2 ms, max $3 ms over $4"
rm -rf "$keys"

exit $fail
