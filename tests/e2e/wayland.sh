#!/bin/sh
# The game natively under Wayland: weston with its X11 back end (which gives it a seat), nested in
# Xvfb, and the game started with no X display of its own. Played from the keyboard as weston
# delivers it: title -> Return (Start Game) -> help -> Return (BEGIN) -> play (left arrow, Pause,
# Pause) -> Escape -> title -> Tab, Return ("x") -> exit 0, with the windows decorated by
# libdecor's plugin and nothing on stderr. The recorded game replays without a window as it ran.
# Without the plugin, the one line on stderr says so.
# A Wayland client cannot be found or placed from outside, so each screen is told apart by the
# colours it puts on weston's output: the title's planet, the help screen's grey controls, the
# play field's green planet bar.
# Usage: wayland.sh PATH/TO/kelvar-raid
set -eu
here=$(dirname "$(readlink -f "$0")")
. "$here/lib/common.sh"
e2e_start "" "$@"
command -v weston >/dev/null || fail "weston is missing (scripts/install-deps installs it)"
# In the sanitizer build: what SDL's Wayland driver leaks by itself is not the game's.
cat "$here/../sanitizers/lsan.supp" "$here/../sanitizers/lsan-wayland.supp" >lsan.supp
export LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0"

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket="kelvar-test-$$"
weston --backend=x11-backend.so --socket="$socket" --width=1024 --height=768 --idle-time=0 \
    >weston.log 2>&1 &
weston_pid=$!
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; kill "$weston_pid" 2>/dev/null; rm -rf "$work"' EXIT
wait_for 20 test -S "$XDG_RUNTIME_DIR/$socket" || { cat weston.log >&2; fail "weston did not start"; }

# How many pixels of weston's output are exactly COLOUR.
pixels_of() {
    import -window root png:- 2>/dev/null |
        convert png:- -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:round(mean*w*h)]' info:
}
more_pixels_than() { [ "$(pixels_of "$1")" -gt "$2" ]; }
title_shown() { more_pixels_than '#0000FF' 5000; }   # the planet in the title art
help_shown() { more_pixels_than '#C0C0C0' 5000; }    # the grey buttons and keys
play_shown() { more_pixels_than '#00FF00' 1000; }    # the planet bar and the side panel

# Only Wayland: no X display for the game.
env -u DISPLAY WAYLAND_DISPLAY="$socket" "$game" --trace "$work/trace.jsonl" \
    --record "$work/game.demo" 2>"$work/stderr" &
pid=$!

# Weston's window covers the X screen; the pointer in it gives it the keyboard.
xdotool mousemove 1000 700
wait_for 30 title_shown || fail "the title screen did not show under weston"
xdotool key Return
wait_for 20 help_shown || fail "Return (Start Game) did not bring the help screen"
wait_for 10 eval '! title_shown' || fail "the title screen is still shown"
xdotool key Return
wait_for 20 play_shown || fail "Return (BEGIN) did not bring the play field"
await_ticks 10
echo "title, help and play field came up under weston; the game ticks"

# Paused: no tick for half a second, where the game ticks every 35 to 45 ms.
ticks_stopped() { before=$(trace_lines); sleep 0.5; [ "$(trace_lines)" -eq "$before" ]; }
xdotool key Left
xdotool key Pause
wait_for 20 ticks_stopped || fail "Pause did not stop the ticks"
xdotool key Pause
await_ticks $(($(trace_lines) + 3)) "the game did not resume after Pause"
xdotool key Escape
wait_for 20 grep -q '"game_over":true' trace.jsonl || fail "Escape did not end the game"
wait_for 30 title_shown || fail "the title screen did not come back after the game"
wait_for 20 grep -q ' end$' game.demo || fail "the game was not recorded"
pauses_and_left_recorded
replay_matches

xdotool key Tab                              # Start Game -> x
xdotool key Return
await_exit x
[ ! -s stderr ] || fail "the game wrote to stderr under Wayland"
echo "the whole flow under weston, decorated, nothing on stderr"

# Without libdecor's plugin: the title still shows, and stderr has the one line that says why
# the windows have no title bar.
mkdir no-plugins
env -u DISPLAY WAYLAND_DISPLAY="$socket" LIBDECOR_PLUGIN_DIR="$work/no-plugins" "$game" \
    2>"$work/stderr" &
pid=$!
wait_for 30 title_shown || fail "without the plugin the title screen did not show"
[ "$(grep -c . stderr)" -eq 1 ] && grep -q 'libdecor-0-plugin-1-cairo' stderr ||
    fail "without the plugin stderr is not the one line naming it"
echo "PASS"
