#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop gets: every file and
# nothing else, icons of their sizes, a desktop entry whose Exec and Icon resolve, metadata and a
# man page that their validators accept, and a window whose class matches the desktop entry.
# Usage: install_tree.sh BUILD_DIR VERSION APP_ID
set -eu
build=$(readlink -f "$1")
version="$2"
id="$3"
here=$(dirname "$(readlink -f "$0")")
. "$here/../e2e/lib/common.sh"
under_xvfb "-screen 0 1024x768x24" "$0" "$@"
prefix=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
sizes="16 32 48 64 128 256"
expected=$( (echo bin/kelvar-raid share/applications/$id.desktop share/man/man6/kelvar-raid.6.gz \
    share/metainfo/$id.metainfo.xml share/doc/kelvar-raid/copyright share/doc/kelvar-raid/changelog.gz
    for s in $sizes; do echo "share/icons/hicolor/${s}x$s/apps/$id.png"; done) | tr ' ' '\n' | LC_ALL=C sort)
found=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$found" = "$expected" ] || fail "installed files differ: $(echo "$found" | tr '\n' ' ')"

desktop="$prefix/share/applications/$id.desktop"
key() { sed -n "s/^$1=//p" "$desktop"; }
desktop-file-validate "$desktop" || fail "desktop-file-validate"
# Outside /usr the program is found on the PATH, in bin/.
[ "$(key Exec)" = kelvar-raid ] && [ -x "$prefix/bin/kelvar-raid" ] || fail "Exec=$(key Exec) is not bin/kelvar-raid"
[ "$(key Icon)" = "$id" ] || fail "Icon is not $id"
# png_size FILE: a PNG's width and height (big-endian words at bytes 16 and 20), or nothing.
png_size() { [ "$(od -An -c -j1 -N3 "$1" 2>/dev/null | tr -d ' ')" = PNG ] && od --endian=big -An -tu4 -j16 -N8 "$1" | tr -s ' '; }
# Each icon is a PNG of its size of colour type 6: RGBA, the ship on a transparent ground.
for s in $sizes; do
    png="$prefix/share/icons/hicolor/${s}x$s/apps/$id.png"
    [ "$(png_size "$png")" = " $s $s" ] && [ "$(od -An -tu1 -j25 -N1 "$png" | tr -d ' ')" = 6 ] ||
        fail "$png is not a ${s}x$s RGBA PNG"
done
echo "desktop entry and icons: valid, Exec and Icon resolve"

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
# With no override: an error or a warning fails the validator, and an info fails the test.
appstreamcli validate --no-net "$metainfo" > "$prefix/validate.txt" 2>&1 && ! grep -q '^ *[EWI]: ' "$prefix/validate.txt" ||
    { cat "$prefix/validate.txt" >&2; fail "appstreamcli validate"; }
grep -q "<id>$id</id>" "$metainfo" && grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo's id or launchable is not $id"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
# Every screenshot is a picture in docs/screenshots of the size the metadata states.
shots=$(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">.*/\([^/]*\.png\)</image>|\3 \1 \2|p' "$metainfo")
[ "$(echo "$shots" | grep -c .)" -eq 3 ] || fail "not 3 screenshots in the metainfo"
echo "$shots" | while read -r name w h; do
    [ "$(png_size "$here/../../docs/screenshots/$name")" = " $w $h" ] || fail "docs/screenshots/$name is not a ${w}x$h PNG"
done || exit 1
zcat "$prefix/share/doc/kelvar-raid/changelog.gz" | head -n 1 | grep -qF "kelvar-raid ($version)" ||
    fail "the changelog does not start with $version"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$prefix/share/doc/kelvar-raid/copyright" || fail "the copyright file is not machine-readable"

page="$prefix/share/man/man6/kelvar-raid.6.gz"
zcat "$page" > "$prefix/page.6"
warnings=$(groff -man -ww -z -Tutf8 "$prefix/page.6" 2>&1; MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man page: $warnings"
for section in NAME SYNOPSIS OPTIONS CONTROLS FILES; do
    grep -q "^\.SH $section" "$prefix/page.6" || fail "the man page has no $section"
done
for option in $("$prefix/bin/kelvar-raid" --help | sed -n 's/^  \(--[a-z-]*\).*/\1/p'); do
    grep -q "^\.B[IR]* *$(echo "$option" | sed 's/-/\\\\-/g')" "$prefix/page.6" || fail "the man page lacks $option"
done
[ "$("$prefix/bin/kelvar-raid" --version)" = "kelvar-raid $version" ] || fail "--version"
echo "metainfo, man page and --version: valid, every option listed"

# The installed program, started as the desktop entry starts it, names its window with the class
# that the entry's StartupWMClass expects.
work="$prefix/run"
mkdir -p "$work/config"
(cd "$work" && XDG_CONFIG_HOME="$work/config" PATH="$prefix/bin:$PATH" exec $(key Exec)) 2>"$work/stderr" &
pid=$!
window_of_game() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 | grep .; }
window=$(wait_for 60 window_of_game && window_of_game) || fail "the installed program showed no window in 60 s"
xprop -id "$window" WM_CLASS | grep -qF "= \"$(key StartupWMClass)\", \"$(key StartupWMClass)\"" ||
    fail "WM_CLASS is not \"$(key StartupWMClass)\""
echo "PASS"
