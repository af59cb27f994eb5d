# Shared by the scripts that drive the real program under Xvfb. Source it; it sets nothing up.

# under_xvfb "SERVER OPTIONS" SCRIPT ARGS...: runs SCRIPT again inside a fresh Xvfb on a free
# display, unless this already is that run. The caller goes on only inside it. The server never
# resets: a server resets when its last client leaves, and drops a client that connects
# meanwhile (the next game, xdotool), whose display then would not open.
under_xvfb() {
    [ -n "${KELVAR_UNDER_XVFB:-}" ] && return 0
    export KELVAR_UNDER_XVFB=1
    server=$1
    shift
    exec xvfb-run -a -s "$server -nolisten tcp -noreset" sh "$@"
}

# enter_work_folder: a fresh folder to run the game in, removed at exit with the game ($pid) if
# it still runs; silent audio; the configuration folder inside it.
enter_work_folder() {
    export SDL_AUDIODRIVER=dummy
    work=$(mktemp -d)
    pid=""
    trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
    cd "$work"
    export XDG_CONFIG_HOME="$work/config"
}

# fail MESSAGE: says what went wrong, with the game's stderr (a sanitizer's report lands there).
fail() {
    echo "FAIL: $*" >&2
    [ -s "${work:-.}/stderr" ] && sed 's/^/  stderr: /' "${work:-.}/stderr" >&2
    exit 1
}

# wait_for SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds or the time is up.
wait_for() {
    end=$(($(date +%s) + $1))
    shift
    until "$@" >/dev/null 2>&1; do [ "$(date +%s)" -lt $end ] || return 1; sleep 0.05; done
}

trace_lines() { [ -f trace.jsonl ] && wc -l < trace.jsonl || echo 0; }
more_ticks_than() { [ "$(trace_lines)" -gt "$1" ]; }

# window_of_size WxH: the visible "Kelvar Raid" window of that client size; prints its id.
window_of_size() {
    for w in $(xdotool search --onlyvisible --name '^Kelvar Raid$' 2>/dev/null); do
        xdotool getwindowgeometry "$w" 2>/dev/null | grep -q "Geometry: $1\$" && echo "$w" && return 0
    done
    return 1
}

# replay_matches GAME: the game recorded in game.demo, replayed without a window, ticks exactly as
# trace.jsonl says the window did. Times are real in the window and virtual without it; sounds
# that never cut others off depend on real time. The game-over tick is left out: in the window
# it ends with the next game already set up.
replay_matches() {
    "$1" --headless game.demo --trace replay.jsonl >/dev/null 2>>"$work/stderr" ||
        fail "the recorded game does not replay"
    tail -n 1 replay.jsonl | grep -q '"game_over":true' || fail "the replay did not end with the game over"
    played=$(grep -c . replay.jsonl)
    for f in trace replay; do
        head -n $((played - 1)) $f.jsonl | sed -e 's/"sounds":\[[0-9,]*\],//' \
            -e 's/"start":[0-9.]*,"end":[0-9.]*,\("due":[0-9]*,"wait_late":\[[0-9,-]*\],\)\{0,1\}//' > $f.cut
    done
    cmp -s trace.cut replay.cut || { diff trace.cut replay.cut | head -5 >&2; fail "the replay differs from the game"; }
    echo "replay: $played ticks equal"
}
