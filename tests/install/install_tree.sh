#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop gets: every file and
# nothing else, icons of their sizes, a desktop entry whose Exec and Icon resolve, metadata and a
# man page that their validators accept, and a window whose class matches the desktop entry.
# Usage: install_tree.sh BUILD_DIR VERSION
set -eu
build=$(readlink -f "$1")
version="$2"

if [ -z "${KELVAR_INSTALL_INNER:-}" ]; then
    export KELVAR_INSTALL_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh "$0" "$@"
fi

prefix=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

expected="bin/kelvar-raid
share/applications/kelvar-raid.desktop
share/icons/hicolor/128x128/apps/kelvar-raid.png
share/icons/hicolor/16x16/apps/kelvar-raid.png
share/icons/hicolor/256x256/apps/kelvar-raid.png
share/icons/hicolor/32x32/apps/kelvar-raid.png
share/icons/hicolor/48x48/apps/kelvar-raid.png
share/icons/hicolor/64x64/apps/kelvar-raid.png
share/man/man6/kelvar-raid.6
share/metainfo/kelvar-raid.metainfo.xml"
found=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$found" = "$expected" ] || fail "installed files differ:
$(printf '%s\n' "$found" | diff -u /dev/fd/3 - 3<<EOT || true
$expected
EOT
)"
echo "installed: $(echo "$found" | wc -l) files"

# A PNG's width and height are the big-endian words at bytes 16 and 20 of its header.
png_word() { od -An -tu1 -j "$2" -N4 "$1" | awk '{ print ($1 * 16777216) + ($2 * 65536) + ($3 * 256) + $4 }'; }
for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/kelvar-raid.png"
    [ "$(od -An -c -j1 -N3 "$png" | tr -d ' ')" = "PNG" ] || fail "$png is not a PNG"
    w=$(png_word "$png" 16)
    h=$(png_word "$png" 20)
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$png is ${w}x${h}, not ${size}x${size}"
    # Colour type 6, RGBA: the ship stands on a transparent ground.
    [ "$(od -An -tu1 -j25 -N1 "$png" | tr -d ' ')" = 6 ] || fail "$png has no alpha channel"
done
echo "icons: 16 32 48 64 128 256 pixels"

desktop="$prefix/share/applications/kelvar-raid.desktop"
key() { sed -n "s/^$1=//p" "$desktop"; }
desktop-file-validate "$desktop" || fail "desktop-file-validate"
exec_cmd=$(key Exec)
[ -x "$prefix/bin/${exec_cmd%% *}" ] || fail "Exec=$exec_cmd is not in $prefix/bin"
icon=$(key Icon)
for size in 16 32 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png" ] || fail "Icon=$icon has no $size icon"
done
echo "desktop entry: valid, Exec=$exec_cmd and Icon=$icon resolve"

metainfo="$prefix/share/metainfo/kelvar-raid.metainfo.xml"
# The id is deliberately the plain program name, the same as the desktop entry's, so that one
# warning, and only that one, is lowered; every other finding still fails the test.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info "$metainfo" >"$prefix/appstream.log" 2>&1 ||
    { cat "$prefix/appstream.log" >&2; fail "appstreamcli validate"; }
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $(basename "$desktop")"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
rm -f "$prefix/appstream.log"
echo "metainfo: valid"

page="$prefix/share/man/man6/kelvar-raid.6"
warnings=$(groff -man -ww -z -Tutf8 "$page" 2>&1) && [ -z "$warnings" ] || fail "groff: $warnings"
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) && [ -z "$warnings" ] ||
    fail "man: $warnings"
for section in NAME SYNOPSIS OPTIONS CONTROLS FILES; do
    grep -q "^\.SH $section" "$page" || fail "the man page has no $section"
done
for option in $("$prefix/bin/kelvar-raid" --help | sed -n 's/^  \(--[a-z-]*\).*/\1/p'); do
    grep -q "^\.B[IR]* *$(echo "$option" | sed 's/-/\\\\-/g')" "$page" || fail "the man page lacks $option"
done
echo "man page: renders without warnings, lists every option"

[ "$("$prefix/bin/kelvar-raid" --version)" = "kelvar-raid $version" ] || fail "--version"

# The installed program, started as the desktop entry starts it, names its window with the class
# that the entry's StartupWMClass expects.
work="$prefix/run"
mkdir -p "$work/config"
wmclass=$(key StartupWMClass)
(cd "$work" && XDG_CONFIG_HOME="$work/config" PATH="$prefix/bin:$PATH" exec $exec_cmd) 2>"$work/stderr" &
pid=$!
window=""
i=0
while [ -z "$window" ] && [ $i -lt 100 ]; do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] || { sleep 0.1; i=$((i + 1)); }
done
[ -n "$window" ] || { cat "$work/stderr" >&2; fail "the installed program showed no window in 10 s"; }
class=$(xprop -id "$window" WM_CLASS)
echo "window $window: $class"
case "$class" in
*"= \"$wmclass\", \"$wmclass\"") ;;
*) fail "WM_CLASS is not \"$wmclass\"" ;;
esac
echo "PASS"
