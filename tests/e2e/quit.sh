#!/bin/sh
# SIGTERM, SIGINT and the window's close button end the program cleanly at once whatever it is
# doing: during play, in a ship's explosion, in the middle of the 4.5-second level change, and
# while the game-over sound plays to its end. A long tick must not run to its end first. The
# time to exit is printed (100 ms is the aim; the sanitizers' leak check at exit takes seconds).
# Usage: quit.sh PATH/TO/kelvar-raid PATH/TO/kelvar_x11_close
set -eu
game=$(readlink -f "$1")
closer=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
. "$here/lib/common.sh"

under_xvfb "-screen 0 1024x768x24" "$0" "$@"
enter_work_folder
printf '1\r\n 0\r\n' > OPTION.CFG
cp OPTION.CFG before.cfg
printf 'kelvar-raid demo 1\nspeed U\n5 0 key 27\n9 end\n' > escape.demo    # tick 5: the game over, its sound to the end
# The rules go by ticks: at the fastest speed (30 ms) the same games reach their long moments sooner.
printf 'kelvar-raid demo 1\nspeed 0\n3000 end\n' > idle.demo            # nobody plays: enemies ram the ship
sed 's/^speed U$/speed 0/' "$here/../data/levels_0_to_8.demo" > recorded.demo
recorded=recorded.demo

# end_at HOW DEMO TICK LAG [LATER]: replays DEMO in the window and, LAG seconds after tick TICK
# has been written, ends it by HOW (TERM, INT, or close: the play field's close button). The
# program must end with exit code 0 before it finishes more than LATER ticks (0: the long tick
# it is in).
end_at() {
    how=$1 demo=$2 tick=$3 lag=$4 later=${5:-0}
    rm -f trace.jsonl
    # A shell starts its background jobs with SIGINT ignored; a player's terminal does not.
    env --default-signal=INT "$game" --demo "$demo" --trace trace.jsonl 2>stderr &
    pid=$!
    wait_for 60 grep -q "\"tick\":$tick," trace.jsonl || fail "tick $tick never came"
    play=$(window_of_size 471x402) || fail "no play field"
    sleep "$lag"
    kill -0 "$pid" 2>/dev/null || fail "the program ended on its own"
    t0=$(date +%s%N)
    case $how in
    close) "$closer" "$play" || fail "the play field (window $play) was gone before the close" ;;
    *) kill -s "$how" "$pid" ;;
    esac
    # A watchdog ends a program that hangs; its sleep must not hold ctest's pipe open.
    (sleep 20; kill -9 "$pid") >/dev/null 2>&1 &
    watchdog=$!
    wait "$pid" && status=0 || status=$?
    t1=$(date +%s%N)
    kill "$watchdog" 2>/dev/null || true
    pid=""
    [ "$status" -eq 0 ] || fail "$how after tick $tick: exit code $status (137: still running 20 s later)"
    last=$(tail -n 1 trace.jsonl | sed 's/^{"tick":\([0-9]*\),.*/\1/')
    [ "$last" -le $((tick + later)) ] || fail "$how after tick $tick: ran on to tick $last"
    echo "$how $lag s after tick $tick of $demo: ended in $(( (t1 - t0) / 1000000 )) ms"
}

# The first tick of the idle game that takes a ship: 700 ms without a window.
"$game" --headless idle.demo --trace headless.jsonl >/dev/null
loss=$(sed -n 's/.*"tick":\([0-9]*\),"start":\([0-9]*\),"end":\([0-9]*\),.*/\1 \2 \3/p' headless.jsonl |
    awk '$3 - $2 == 700 { print $1; exit }')
[ -n "$loss" ] || fail "the idle game loses no ship"
# Each way of ending once at each long moment, so that the whole test stays short.
end_at TERM "$recorded" 10 0 999               # during play, between ticks or in one
end_at INT idle.demo $((loss - 1)) 0.2         # in the ship's 700 ms explosion
end_at close "$recorded" 485 1                 # in the level change: LEVEL CLEAR, fly-off, GET READY
end_at TERM escape.demo 4 0.4                  # in the game-over sound (1.8 s, played to its end)
end_at close escape.demo 4 0.4
cmp -s OPTION.CFG before.cfg || fail "OPTION.CFG changed"
echo "PASS"
