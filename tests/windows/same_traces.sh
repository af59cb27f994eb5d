#!/bin/sh
# Plays every recorded game of tests/data headless with the Linux program and with the Windows
# program under Wine, and lets the autopilot play a long game with each: the traces, the
# autopilot's recordings and the summary lines must be the same bytes.
# Usage: same_traces.sh LINUX_PROGRAM WINDOWS_PROGRAM.exe OUT_DIR   (Wine's settings from the caller)
set -eu
linux=$(readlink -f "$1")
windows=$(readlink -f "$2")
out="$3"
data=$(dirname "$(readlink -f "$0")")/../data
mkdir -p "$out"
out=$(readlink -f "$out")

failed=0
count=0
# same NAME KIND...: the Linux and the Windows program's files of each kind are the same bytes.
same() {
    name=$1
    shift
    for kind in "$@"; do
        cmp "$out/$name.linux.$kind" "$out/$name.windows.$kind" ||
            { echo "same_traces: $name: the $kind differs (see $out/$name.*.$kind)" >&2; failed=1; }
    done
}
for demo in "$data"/*.demo; do
    [ -f "$demo" ] || continue
    name=$(basename "$demo" .demo)
    demo=$(readlink -f "$demo")
    "$linux" --headless "$demo" --trace "$out/$name.linux.trace" >"$out/$name.linux.out"
    wine "$windows" --headless "$demo" --trace "$out/$name.windows.trace" >"$out/$name.windows.out"
    same "$name" trace out
    # An empty trace on both sides would prove nothing.
    [ -s "$out/$name.linux.trace" ] || { echo "same_traces: $name: empty trace" >&2; failed=1; }
    echo "same_traces: $name: $(wc -c <"$out/$name.linux.trace") bytes of trace, $(cat "$out/$name.linux.out")"
    count=$((count + 1))
done
[ "$count" -gt 0 ] || { echo "same_traces: no recorded games in $data" >&2; exit 1; }

# The autopilot: its own random player, through level 29.
autopilot="--autopilot 20000 --seed 7"
# shellcheck disable=SC2086
"$linux" $autopilot --record "$out/autopilot.linux.demo" --trace "$out/autopilot.linux.trace" \
    >"$out/autopilot.linux.out"
# shellcheck disable=SC2086
wine "$windows" $autopilot --record "$out/autopilot.windows.demo" \
    --trace "$out/autopilot.windows.trace" >"$out/autopilot.windows.out"
same autopilot demo trace out
[ -s "$out/autopilot.linux.demo" ] || { echo "same_traces: autopilot: empty recording" >&2; failed=1; }
echo "same_traces: autopilot: $(wc -c <"$out/autopilot.linux.trace") bytes of trace, $(cat "$out/autopilot.linux.out")"

[ "$failed" -eq 0 ] && echo "same_traces: $count recorded games and the autopilot's, the same on Linux and on Windows"
exit "$failed"
