#!/bin/sh
# The Windows window program under Wine and Xvfb: its title window appears and is drawn (a
# screenshot is kept for a look), the window's close button ends it with exit code 0 and the
# options file beside the program, and a recorded game replayed in the window ticks exactly as
# the same game replayed without one by the Windows program.
# Usage: window_program.sh kelvar-raid.exe kelvar-raid-headless.exe kelvar_x11_close OUT_DIR
#        (Wine's settings from the caller; OUT_DIR keeps the screenshot)
set -eu
exe=$(readlink -f "$1")
headless=$(readlink -f "$2")
closer=$(readlink -f "$3")
mkdir -p "$4"
out=$(readlink -f "$4")
here=$(dirname "$(readlink -f "$0")")
. "$here/../e2e/lib/common.sh"
. "$here/lib/title.sh"

under_xvfb "-screen 0 1024x768x24" "$0" "$@"
enter_work_folder
# The program in a folder of its own: its options file is kept beside it.
mkdir program
cp "$exe" program/kelvar-raid.exe

# The title, then its close button.
wine program/kelvar-raid.exe 2>stderr &
pid=$!
show_title "$out/title.png"
close_title
echo "title: shown, closed with exit code 0 (screenshot $out/title.png)"

# A replay of levels 0 to 2 at the fastest speed, in the window and without one.
sed 's/^speed U$/speed 0/' "$here/../data/levels_0_to_8.demo" |
    awk '$1 !~ /^[0-9]+$/ || ($1 <= 1500 && $2 != "end")' > replay.demo
echo "1500 end" >> replay.demo
wine program/kelvar-raid.exe --demo replay.demo --trace window.jsonl 2>>stderr ||
    fail "the window replay: exit code $?"
wine "$headless" --headless replay.demo --trace headless.jsonl >/dev/null 2>>stderr ||
    fail "the replay without a window"
# Times are real in the window and virtual without it, and so are the sounds that depend on them.
for f in window headless; do
    grep '^{"tick"' $f.jsonl | sed -e 's/"sounds":\[[0-9,]*\],//' \
        -e 's/"start":[0-9.]*,"end":[0-9.]*,\("due":[0-9]*,"wait_late":\[[0-9,-]*\],\)\{0,1\}//' > $f.cut
done
[ "$(grep -c . window.cut)" -ge 1500 ] || fail "the window replay ended at tick $(grep -c . window.cut)"
cmp -s window.cut headless.cut || { diff window.cut headless.cut | head -5 >&2; fail "the window replay differs"; }
echo "replay: $(grep -c . window.cut) ticks equal in the window and without one"
