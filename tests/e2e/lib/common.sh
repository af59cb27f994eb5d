# Shared by the scripts that drive the real program under Xvfb. Source it; it sets nothing up.

# fail MESSAGE: says what went wrong, with the game's stderr (a sanitizer's report lands there).
fail() {
    echo "FAIL: $*" >&2
    [ -s "${work:-.}/stderr" ] && sed 's/^/  stderr: /' "${work:-.}/stderr" >&2
    exit 1
}

# wait_for SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds or the time is up.
wait_for() {
    limit=$(( $1 * 20 ))
    shift
    i=0
    while [ $i -lt $limit ]; do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.05
        i=$((i + 1))
    done
    return 1
}

trace_lines() { [ -f trace.jsonl ] && wc -l < trace.jsonl || echo 0; }
more_ticks_than() { [ "$(trace_lines)" -gt "$1" ]; }
