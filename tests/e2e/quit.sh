#!/bin/sh
# SIGTERM and SIGINT end the program cleanly whatever it is doing: during play, and in the
# middle of the 4.5-second level change with its sounds and waits. Prints how long each took.
# Usage: quit.sh PATH/TO/kelvar-raid
set -eu
game=$(readlink -f "$1")
. "$(dirname "$(readlink -f "$0")")/lib/common.sh"
demo=$(dirname "$0")/../data/levels_0_to_8.demo
demo=$(readlink -f "$demo")

if [ -z "${KELVAR_E2E_INNER:-}" ]; then
    export KELVAR_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh "$0" "$game"
fi

export SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"
printf '1\r\n 0\r\n' > OPTION.CFG
cp OPTION.CFG before.cfg

# quit_at SIGNAL TICK: replays the recorded game, signals it once tick TICK has been written
# plus `lag` seconds, and checks that it ends at once with exit code 0.
quit_at() {
    sig=$1 tick=$2 lag=$3
    rm -f trace.jsonl
    # A shell starts its background jobs with SIGINT ignored; a player's terminal does not.
    env --default-signal=INT "$game" --demo "$demo" --trace trace.jsonl 2>stderr &
    pid=$!
    wait_for 60 grep -q "\"tick\":$tick," trace.jsonl || fail "tick $tick never came"
    sleep "$lag"
    kill -0 "$pid" 2>/dev/null || fail "the program ended on its own"
    t0=$(date +%s%N)
    kill -s "$sig" "$pid"
    ended() { ! kill -0 "$pid" 2>/dev/null; }
    wait_for 5 ended || fail "SIG$sig after tick $tick: still running 5 s later"
    t1=$(date +%s%N)
    wait "$pid" && status=0 || status=$?
    pid=""
    [ "$status" -eq 0 ] || fail "SIG$sig after tick $tick: exit code $status"
    echo "SIG$sig $lag s after tick $tick: ended in $(( (t1 - t0) / 1000000 )) ms"
}

quit_at TERM 40 0     # during play
quit_at INT 485 1     # inside the level change: LEVEL CLEAR, the fly-off, GET READY
cmp -s OPTION.CFG before.cfg || fail "OPTION.CFG changed"
echo "PASS"
