#!/bin/sh
# --fullscreen on an X server with no window manager, where nobody carries out the request: the
# play field's window covers the screen and shows the whole picture, centred at the largest whole
# scale (the planet bar of the side panel is where it belongs); F11 brings the window back to its
# own size and F11 again to the whole screen.
# Usage: fullscreen.sh PATH/TO/kelvar-raid
set -eu
here=$(dirname "$(readlink -f "$0")")
. "$here/lib/common.sh"
e2e_start "" "$@"

"$game" --fullscreen --demo "$here/../data/levels_0_to_8.demo" --trace trace.jsonl 2>stderr &
pid=$!
# The screen holds the play field (471x402) once, at scale 1 (768 / 402 < 2), centred. The
# planet bar's left end: 5760 twips across, 4891 down, full from the first tick.
bar_x=$(((1024 - 471) / 2 + 5760 / 15 + 2))
bar_y=$(((768 - 402) / 2 + 4891 / 15 + 4))
bar_shown() {
    [ "$(import -window root -crop "4x4+$bar_x+$bar_y" -depth 8 txt:- 2>/dev/null | grep -c '#00FF00')" -eq 16 ]
}
# F11 on the play field, which then has SIZE.
f11_to() {
    xdotool windowfocus --sync "$play" 2>/dev/null || true
    xdotool key F11
    wait_for 10 window_of_size "$1" || fail "F11 did not make the window $1"
}

wait_for 20 more_ticks_than 2 || fail "the game does not tick"
play=$(wait_for 20 window_of_size 1024x768 && window_of_size 1024x768) ||
    fail "the play field does not cover the screen"
xdotool getwindowgeometry "$play" | grep -q 'Position: 0,0 ' || fail "the fullscreen window is not at the screen's corner"
wait_for 10 bar_shown || fail "the planet bar is not at ($bar_x, $bar_y) of the screen"
echo "fullscreen: the window covers the screen, the picture is whole and centred"
f11_to 471x402
wait_for 10 eval '! bar_shown' || fail "the picture still fills the screen after F11"
f11_to 1024x768
wait_for 10 bar_shown || fail "the picture is not whole after the second F11"
kill -0 "$pid" || fail "the game ended"
echo "PASS"
