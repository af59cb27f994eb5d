#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop gets: every file and
# nothing else, icons of their sizes, a desktop entry whose Exec and Icon resolve, metadata and a
# man page that their validators accept, and a window whose class matches the desktop entry.
# Usage: install_tree.sh BUILD_DIR VERSION
set -eu
build=$(readlink -f "$1")
version="$2"
. "$(dirname "$(readlink -f "$0")")/../e2e/lib/common.sh"
under_xvfb "-screen 0 1024x768x24" "$0" "$@"
prefix=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
sizes="16 32 48 64 128 256"
expected=$( (echo bin/kelvar-raid share/applications/kelvar-raid.desktop share/man/man6/kelvar-raid.6 \
    share/metainfo/kelvar-raid.metainfo.xml
    for s in $sizes; do echo "share/icons/hicolor/${s}x$s/apps/kelvar-raid.png"; done) | tr ' ' '\n' | LC_ALL=C sort)
found=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$found" = "$expected" ] || fail "installed files differ: $(echo "$found" | tr '\n' ' ')"

desktop="$prefix/share/applications/kelvar-raid.desktop"
key() { sed -n "s/^$1=//p" "$desktop"; }
desktop-file-validate "$desktop" || fail "desktop-file-validate"
exec_cmd=$(key Exec)
[ -x "$prefix/bin/${exec_cmd%% *}" ] || fail "Exec=$exec_cmd is not in $prefix/bin"
# Each icon is a PNG of its size (big-endian words at bytes 16 and 20), colour type 6: RGBA, the
# ship on a transparent ground.
for s in $sizes; do
    png="$prefix/share/icons/hicolor/${s}x$s/apps/$(key Icon).png"
    [ "$(od -An -c -j1 -N3 "$png" | tr -d ' ')" = PNG ] || fail "$png is not a PNG"
    [ "$(od --endian=big -An -tu4 -j16 -N8 "$png" | tr -s ' ')" = " $s $s" ] &&
        [ "$(od -An -tu1 -j25 -N1 "$png" | tr -d ' ')" = 6 ] || fail "$png is not ${s}x$s RGBA"
done
echo "desktop entry and icons: valid, Exec=$exec_cmd and Icon=$(key Icon) resolve"

metainfo="$prefix/share/metainfo/kelvar-raid.metainfo.xml"
# The id is deliberately the plain program name, the same as the desktop entry's, so that one
# warning, and only that one, is lowered; every other finding still fails the test.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info "$metainfo" >&2 ||
    fail "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">kelvar-raid.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch the desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

page="$prefix/share/man/man6/kelvar-raid.6"
warnings=$(groff -man -ww -z -Tutf8 "$page" 2>&1; MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man page: $warnings"
for section in NAME SYNOPSIS OPTIONS CONTROLS FILES; do
    grep -q "^\.SH $section" "$page" || fail "the man page has no $section"
done
for option in $("$prefix/bin/kelvar-raid" --help | sed -n 's/^  \(--[a-z-]*\).*/\1/p'); do
    grep -q "^\.B[IR]* *$(echo "$option" | sed 's/-/\\\\-/g')" "$page" || fail "the man page lacks $option"
done
[ "$("$prefix/bin/kelvar-raid" --version)" = "kelvar-raid $version" ] || fail "--version"
echo "metainfo, man page and --version: valid, every option listed"

# The installed program, started as the desktop entry starts it, names its window with the class
# that the entry's StartupWMClass expects.
work="$prefix/run"
mkdir -p "$work/config"
(cd "$work" && XDG_CONFIG_HOME="$work/config" PATH="$prefix/bin:$PATH" exec $exec_cmd) 2>"$work/stderr" &
pid=$!
window_of_game() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 | grep .; }
window=$(wait_for 60 window_of_game && window_of_game) || fail "the installed program showed no window in 60 s"
wmclass=$(key StartupWMClass)
xprop -id "$window" WM_CLASS | grep -qF "= \"$wmclass\", \"$wmclass\"" || fail "WM_CLASS is not \"$wmclass\""
echo "PASS"
