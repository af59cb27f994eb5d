#!/bin/sh
# --fullscreen on an X server with no window manager, where nobody carries out the request: the
# play field's window covers the screen and shows the whole picture, centred at the largest whole
# scale (the planet bar of the side panel is where it belongs); F11 brings the window back to its
# own size and F11 again to the whole screen.
# Usage: fullscreen.sh PATH/TO/kelvar-raid
set -eu
game=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
. "$here/lib/common.sh"

under_xvfb "-screen 0 1024x768x24" "$0" "$@"
enter_work_folder

"$game" --fullscreen --demo "$here/../data/levels_0_to_8.demo" --trace trace.jsonl 2>stderr &
pid=$!

# The screen holds the play field (471x402) once, at scale 1 (768 / 402 < 2), centred.
left=$(((1024 - 471) / 2))
top=$(((768 - 402) / 2))
# The planet bar's left end: 5760 twips across, 4891 down, full from the first tick.
bar_x=$((left + 5760 / 15 + 2))
bar_y=$((top + 4891 / 15 + 4))
bar_shown() {
    [ "$(import -window root -crop "4x4+$bar_x+$bar_y" -depth 8 txt:- 2>/dev/null | grep -c '#00FF00')" -eq 16 ]
}
at_origin() { xdotool getwindowgeometry "$1" | grep -q 'Position: 0,0 '; }

wait_for 20 more_ticks_than 2 || fail "the game does not tick"
play=$(wait_for 20 window_of_size 1024x768 && window_of_size 1024x768) ||
    fail "the play field does not cover the screen"
at_origin "$play" || fail "the fullscreen window is not at the screen's corner"
wait_for 10 bar_shown || fail "the planet bar is not at ($bar_x, $bar_y) of the screen"
echo "fullscreen: the window covers the screen, the picture is whole and centred"

xdotool windowfocus --sync "$play" 2>/dev/null || true
xdotool key F11
wait_for 10 window_of_size 471x402 || fail "F11 did not bring the window back to 471x402"
wait_for 10 eval '! bar_shown' || fail "the picture still fills the screen after F11"
xdotool windowfocus --sync "$play" 2>/dev/null || true
xdotool key F11
wait_for 10 window_of_size 1024x768 || fail "F11 again did not cover the screen"
wait_for 10 bar_shown || fail "the picture is not whole after the second F11"
kill -0 "$pid" || fail "the game ended"
echo "PASS"
