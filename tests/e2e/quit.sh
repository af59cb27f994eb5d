#!/bin/sh
# SIGTERM, SIGINT and the window's close button end the program cleanly whatever it is doing:
# during play, in a ship's explosion, in the middle of the 4.5-second level change, and while
# the game-over sound plays to its end. It exits with 0, its trace whole, its options file
# untouched. The time to exit is printed (100 ms is the aim; the sanitizers' leak check at exit
# takes seconds). That a long tick does not run to its end first is a matter of real time (how
# soon this script's signal lands); `make bench` checks it, with KELVAR_QUIT_TICK_BOUND=1.
# Usage: quit.sh PATH/TO/kelvar-raid PATH/TO/kelvar_x11_close
set -eu
here=$(dirname "$(readlink -f "$0")")
. "$here/lib/common.sh"
e2e_start "" "$@"
closer=$(readlink -f "$2")
printf '1\r\n 0\r\n' > OPTION.CFG
cp OPTION.CFG before.cfg
printf 'kelvar-raid demo 1\nspeed U\n5 0 key 27\n9 end\n' > escape.demo    # tick 5: the game over, its sound to the end
# The rules go by ticks: at the fastest speed (30 ms) the same games reach their long moments sooner.
printf 'kelvar-raid demo 1\nspeed 0\n3000 end\n' > idle.demo            # nobody plays: enemies ram the ship
sed 's/^speed U$/speed 0/' "$here/../data/levels_0_to_8.demo" > recorded.demo

# end_at HOW DEMO TICK LAG [LATER]: replays DEMO in the window and, LAG seconds after tick TICK
# has been written, ends it by HOW (TERM, INT, or close: the play field's close button). The
# program must end with exit code 0 and a whole trace; with KELVAR_QUIT_TICK_BOUND=1, also
# before it finishes more than LATER ticks (0: the long tick it is in). A program that ended on
# its own before the signal (a busy machine ran this script late) is started again: that try
# tested nothing.
end_at() {
    tries=5
    while ! end_once "$@"; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || fail "$1 after tick $3: the program ended on its own, 5 times"
        echo "$1 after tick $3: the program ended before the signal; again"
    done
}

gone() { ! kill -0 "$pid" 2>/dev/null; }
# The program ended before this script could end it: with 0, or the test fails.
ended_on_its_own() {
    wait "$pid" || fail "the program ended on its own with exit code $?"
    pid=""
}

# end_once: as end_at, once; false if the program ended before the signal was sent.
end_once() {
    how=$1 demo=$2 tick=$3 lag=$4 later=${5:-0}
    rm -f trace.jsonl
    # A shell starts its background jobs with SIGINT ignored; a player's terminal does not.
    env --default-signal=INT "$game" --demo "$demo" --trace trace.jsonl 2>stderr &
    pid=$!
    wait_for 60 grep -q "\"tick\":$tick," trace.jsonl || fail "tick $tick never came"
    play=$(wait_for 60 eval 'window_of_size 471x402 || gone' && window_of_size 471x402) ||
        { gone || fail "no play field"; ended_on_its_own; return 1; }
    sleep "$lag"
    if gone; then ended_on_its_own; return 1; fi
    t0=$(date +%s%N)
    case $how in
    # A close that finds no window: the program is ending on its own.
    close) "$closer" "$play" 2>/dev/null ||
        { wait_for 60 gone || fail "the play field (window $play) was gone before the close"; ended_on_its_own; return 1; } ;;
    *) kill -s "$how" "$pid" ;;
    esac
    # A watchdog ends a program that hangs; its sleep must not hold ctest's pipe open.
    (sleep 60; kill -9 "$pid") >/dev/null 2>&1 &
    watchdog=$!
    wait "$pid" && status=0 || status=$?
    t1=$(date +%s%N)
    kill "$watchdog" 2>/dev/null || true
    pid=""
    [ "$status" -eq 0 ] || fail "$how after tick $tick: exit code $status (137: still running 60 s later)"
    # Each line of the trace whole, the last one too.
    [ -z "$(tail -c 1 trace.jsonl)" ] && ! grep -q -v '^{"tick":[0-9]*,.*}$' trace.jsonl ||
        fail "$how after tick $tick: a cut or broken trace line"
    last=$(tail -n 1 trace.jsonl | sed 's/^{"tick":\([0-9]*\),.*/\1/')
    [ "$last" -ge "$tick" ] || fail "$how after tick $tick: the trace lost ticks (last $last)"
    [ -z "${KELVAR_QUIT_TICK_BOUND:-}" ] || [ "$last" -le $((tick + later)) ] ||
        fail "$how after tick $tick: ran on to tick $last"
    echo "$how $lag s after tick $tick of $demo: ended in $(( (t1 - t0) / 1000000 )) ms, last tick $last"
}

# The first tick of the idle game that takes a ship: 700 ms without a window.
"$game" --headless idle.demo --trace headless.jsonl >/dev/null
loss=$(sed -n 's/.*"tick":\([0-9]*\),"start":\([0-9]*\),"end":\([0-9]*\),.*/\1 \2 \3/p' headless.jsonl |
    awk '$3 - $2 == 700 { print $1; exit }')
[ -n "$loss" ] || fail "the idle game loses no ship"
# Each way of ending once at each long moment, so that the whole test stays short.
end_at TERM recorded.demo 10 0 999               # during play, between ticks or in one
end_at INT idle.demo $((loss - 1)) 0.2         # in the ship's 700 ms explosion
end_at close recorded.demo 485 1                 # in the level change: LEVEL CLEAR, fly-off, GET READY
end_at TERM escape.demo 4 0.4                  # in the game-over sound (1.8 s, played to its end)
end_at close escape.demo 4 0.4
cmp -s OPTION.CFG before.cfg || fail "OPTION.CFG changed"
echo "PASS"
