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
