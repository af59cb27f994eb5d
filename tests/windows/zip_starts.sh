#!/bin/sh
# The zip as a player gets it: unpacked in a fresh Wine prefix, the game started by its .exe
# alone shows its title with the fonts it ships (none is in a fresh prefix's fonts folder), and
# closing the window ends it with exit code 0. The screenshot is kept in OUT_DIR for a look.
# Usage: zip_starts.sh kelvar-raid-VERSION-windows-x64.zip kelvar_x11_close OUT_DIR
set -eu
zip=$(readlink -f "$1")
closer=$(readlink -f "$2")
mkdir -p "$3"
out=$(readlink -f "$3")
here=$(dirname "$(readlink -f "$0")")
. "$here/../e2e/lib/common.sh"

under_xvfb "-screen 0 1024x768x24" "$0" "$@"
work=$(mktemp -d)
pid=""
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
wineboot --init >/dev/null 2>&1 && wineserver -w || fail "cannot make a fresh Wine prefix"
cd "$work"
unzip -q "$zip"
exe=$(ls "$work"/kelvar-raid-*/kelvar-raid.exe) || fail "no kelvar-raid.exe in the zip"

title_window() {
    w=$(xdotool search --onlyvisible --name '^Kelvar Raid$' 2>/dev/null | head -n 1)
    [ -n "$w" ] && echo "$w"
}
alive() { kill -0 "$pid" 2>/dev/null; }
drawn() {
    timeout 20 import -window root "$out/zip-title.png" 2>/dev/null &&
        timeout 20 import -window "$window" "$work/window.png" 2>/dev/null &&
        [ "$(convert "$work/window.png" -format '%k' info:)" -ge 12 ]
}

wine "$exe" 2>stderr &
pid=$!
wait_for 120 title_window || fail "no title window within 120 s"
window=$(title_window)
wait_for 60 drawn || fail "the title window stays black (see $out/zip-title.png)"
! grep -q "no font found" stderr || fail "the shipped fonts were not found"
"$closer" "$window" || fail "cannot ask the title window to close"
end=$(($(date +%s) + 60))
while alive && [ "$(date +%s)" -lt $end ]; do sleep 0.05; done
alive && fail "the program still runs 60 s after its window was closed"
code=0
wait "$pid" || code=$?
pid=""
[ "$code" -eq 0 ] || fail "closing the window: exit code $code"
echo "zip: unpacked in a fresh Wine prefix, the title shown with the shipped fonts, closed with exit code 0 (screenshot $out/zip-title.png)"
