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

# e2e_start "MORE SERVER OPTIONS" PATH/TO/kelvar-raid [KELVAR_X11_CLOSE [KELVAR_X11_CLICK_ON_MAP]]:
# the end-to-end scripts' start: the game in $game, a 1024x768 Xvfb of its own, a fresh work folder.
e2e_start() {
    extra=$1
    shift
    game=$(readlink -f "$1")
    click_on_map=${3:+$(readlink -f "$3")}
    under_xvfb "-screen 0 1024x768x24 $extra" "$0" "$@"
    enter_work_folder
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
# await_ticks N [WHAT]: fails with WHAT unless the trace passes N ticks within a minute.
await_ticks() { wait_for 60 more_ticks_than "$1" || fail "${2:-the game does not tick}"; }

# window_of_size WxH: the visible "Kelvar Raid" window of that client size; prints its id.
window_of_size() {
    for w in $(xdotool search --onlyvisible --name '^Kelvar Raid$' 2>/dev/null); do
        xdotool getwindowgeometry "$w" 2>/dev/null | grep -q "Geometry: $1\$" && echo "$w" && return 0
    done
    return 1
}
await_window() { wait_for 60 window_of_size "$1" && window_of_size "$1"; }
# click_twips WINDOW X Y: clicks at once at a point of a window's client area given in twips (15
# twips to the pixel).
click_twips() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1; }

# start_recording: the game started from its title, its ticks traced to trace.jsonl and its games
# recorded to game.demo, and Start Game clicked the moment the title window is mapped, before the
# program has drawn it or taken the focus (kelvar_x11_click_on_map, the scripts' third argument).
# SDL drops a click that comes within 10 ms of a window's focus unless the program asks it not to.
start_recording() {
    "$click_on_map" 351 401 $(((1800 + 1695 / 2) / 15)) $(((3720 + 375 / 2) / 15)) \
        >"$work/title.id" 2>"$work/click.ready" &
    clicker=$!
    wait_for 60 grep -q ready "$work/click.ready" || fail "the click tool did not start"
    "$game" --trace "$work/trace.jsonl" --record "$work/game.demo" 2>"$work/stderr" &
    pid=$!
    wait "$clicker" || fail "the title screen (351x401) did not appear"
    title=$(cat "$work/title.id")
}
# click_start_game: Start Game, clicked by start_recording, took the player to the help screen,
# in $help.
click_start_game() {
    help=$(await_window 438x397) ||
        fail "Start Game, clicked the moment the title window appeared, was lost"
}
# click_begin: BEGIN; the play field in $play, with the pointer and the keyboard.
click_begin() {
    click_twips "$help" $((300 + 2415 / 2)) $((4200 + 375 / 2))
    play=$(await_window 471x402) || fail "the play field (471x402) did not appear"
    xdotool mousemove --window "$play" 100 100
    xdotool windowfocus --sync "$play" 2>/dev/null || true
}

# await_exit WHAT: the program ends within a minute of WHAT, with exit code 0.
await_exit() {
    wait_for 60 eval '! kill -0 "$pid"' || fail "the program did not end after $1"
    wait "$pid" && pid="" || fail "exit code $? after $1"
}

# pauses_and_left_recorded: the game recorded in game.demo took two pauses and a left arrow.
pauses_and_left_recorded() {
    [ "$(grep -c ' key 19$' game.demo)" -eq 2 ] || { cat game.demo >&2; fail "not 2 pause keys recorded"; }
    grep -q " key 37$" game.demo || { cat game.demo >&2; fail "the left arrow did not reach the game"; }
}

# same_ticks A B N: the first N whole tick lines of the traces A and B are alike. Times are real in
# the window and virtual without it; sounds that never cut others off depend on real time.
same_ticks() {
    for f in "$1" "$2"; do
        grep '^{"tick".*}$' "$f" | head -n "$3" | sed -e 's/"sounds":\[[0-9,]*\],//' \
            -e 's/"start":[0-9.]*,"end":[0-9.]*,\("due":[0-9]*,"wait_late":\[[0-9,-]*\],\)\{0,1\}//' > "$f.cut"
    done
    cmp -s "$1.cut" "$2.cut" || { diff "$1.cut" "$2.cut" | head -5 >&2; fail "the replay differs from the game"; }
}

# replay_matches: the game recorded in game.demo, replayed without a window, ticks exactly as
# trace.jsonl says the window did. The game-over tick is left out: in the window it ends with the
# next game already set up.
replay_matches() {
    "$game" --headless game.demo --trace replay.jsonl >/dev/null 2>>"$work/stderr" ||
        fail "the recorded game does not replay"
    tail -n 1 replay.jsonl | grep -q '"game_over":true' || fail "the replay did not end with the game over"
    played=$(grep -c . replay.jsonl)
    same_ticks trace.jsonl replay.jsonl $((played - 1))
    echo "replay: $played ticks equal"
}
