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
. "$here/lib/title.sh"

under_xvfb "-screen 0 1024x768x24" "$0" "$@"
work=$(mktemp -d)
pid=""
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
wineboot --init >/dev/null 2>&1 && wineserver -w || fail "cannot make a fresh Wine prefix"
cd "$work"
unzip -q "$zip"
exe=$(ls "$work"/kelvar-raid-*/kelvar-raid.exe) || fail "no kelvar-raid.exe in the zip"

wine "$exe" 2>stderr &
pid=$!
show_title "$out/zip-title.png"
! grep -q "no font found" stderr || fail "the shipped fonts were not found"
close_title
echo "zip: unpacked in a fresh Wine prefix, the title shown with the shipped fonts, closed with exit code 0 (screenshot $out/zip-title.png)"
