#!/bin/sh
# CPU of the program while it waits: the title and help screens untouched, the game paused, and
# a long wait (1.5 s inside the game-over sound, played to its end). Run inside an X server
# (xvfb-run -a sh idle_probe.sh BIN); prints one line per figure. The CPU time is the program's
# own threads' (from /proc/PID/task/*/schedstat, in nanoseconds), over wall time. An idle
# program that sleeps until an event shows no CPU at all over any length of time: 3 s will do.
set -u
bin=$1
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"
export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy
bound=0.5

cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'; }
now_ns() { date +%s%N; }
wait_for() { # SECONDS COMMAND...
    end=$(($(date +%s) + $1)); shift
    until "$@" >/dev/null 2>&1; do [ "$(date +%s)" -ge "$end" ] && return 1; sleep 0.05; done
}
window_of_size() {
    for w in $(xdotool search --onlyvisible --name '^Kelvar Raid$' 2>/dev/null); do
        [ "$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: //p')" = "$1" ] &&
            echo "$w" && return 0
    done
    return 1
}
trace_lines() { [ -f trace.jsonl ] && wc -l <trace.jsonl || echo 0; }
at_least_lines() { [ "$(trace_lines)" -ge "$1" ]; }
# report NAME SECONDS: the program's CPU over the next SECONDS seconds.
report() {
    c0=$(cpu_ns "$pid"); t0=$(now_ns)
    sleep "$2"
    c1=$(cpu_ns "$pid"); t1=$(now_ns)
    awk -v n="$1" -v c="$((c1 - c0))" -v t="$((t1 - t0))" -v b="$bound" 'BEGIN {
        p = 100 * c / t; printf "CPU %s: %.3f%% of a core over %.1f s (bound %s%%) %s\n", n, p, t / 1e9, b, (p <= b ? "OK" : "FAIL") }'
}
click_twips() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1; }

"$bin" --trace trace.jsonl >/dev/null 2>err &
pid=$!
title=$(wait_for 20 window_of_size 351x401 && window_of_size 351x401) || { echo "CPU title idle: no title window FAIL"; exit 1; }
xdotool mousemove 0 0 # the pointer off the windows: nothing moves while it is measured
sleep 0.5
report "title idle" 3
click_twips "$title" $((1800 + 1695 / 2)) $((3720 + 375 / 2))
help=$(wait_for 20 window_of_size 438x397 && window_of_size 438x397) || { echo "CPU help idle: no help window FAIL"; exit 1; }
xdotool mousemove 0 0
sleep 0.5
report "help idle" 3
click_twips "$help" $((300 + 2415 / 2)) $((4200 + 375 / 2))
play=$(wait_for 20 window_of_size 471x402 && window_of_size 471x402) || { echo "CPU paused: no play field FAIL"; exit 1; }
wait_for 20 at_least_lines 5
xdotool windowfocus --sync "$play" 2>/dev/null || true
xdotool key Pause
sleep 0.5
n=$(trace_lines)
report "paused" 3
[ "$(trace_lines)" -eq "$n" ] || echo "CPU paused: the game ticked while it was measured FAIL"
kill "$pid"; wait "$pid" 2>/dev/null; pid=""; rm -f trace.jsonl

# The game over of a game ended by Escape at tick 5: the game-over sound played to its end
# (1.8 s), with nothing to draw: a long wait and nothing else. 1.5 s of it is measured.
printf 'kelvar-raid demo 1\nspeed U\n5 0 key 27\n9 end\n' >escape.demo
"$bin" --demo escape.demo --trace trace.jsonl >/dev/null 2>>err &
pid=$!
wait_for 20 at_least_lines 4 || { echo "CPU long wait (game over): the replay did not reach tick 4 FAIL"; exit 1; }
sleep 0.2 # into the game-over sound; the program ends with the tick, so measure inside it
report "long wait (game-over sound)" 1.5
