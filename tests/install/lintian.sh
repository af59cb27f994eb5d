#!/bin/sh
# Builds the Debian package of a build into a temporary folder and holds it to what Debian asks:
# lintian finds no error and no warning (its informational notes are printed), the program is in
# /usr/games and the desktop entry starts it there, and the changelog is the Debian form of
# CHANGELOG.md's newest entry, as are the metadata's releases.
# Usage: lintian.sh BUILD_DIR
set -eu
build=$(readlink -f "$1")
fail() { echo "FAIL: $*" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$out"/kelvar-raid_*.deb)
version=$(dpkg-deb -f "$deb" Version)

# --fail-on makes warnings count too; --pedantic and --display-info show every note, which never fails.
lintian --fail-on error,warning --pedantic --display-info "$deb" >"$out/lintian.txt" 2>&1 ||
    { cat "$out/lintian.txt" >&2; fail "lintian"; }
grep -v 'running with root privileges' "$out/lintian.txt" | sed 's/^/lintian: /'
! grep -q '^[EW]: ' "$out/lintian.txt" || fail "lintian reported an error or a warning"

tree="$out/tree"
dpkg-deb -x "$deb" "$tree"
[ -x "$tree/usr/games/kelvar-raid" ] || fail "the program is not in /usr/games"
[ ! -e "$tree/usr/bin" ] || fail "the package has a /usr/bin"
grep -qx 'Exec=/usr/games/kelvar-raid' "$tree"/usr/share/applications/*.desktop ||
    fail "the desktop entry does not start /usr/games/kelvar-raid"
first=$(zcat "$tree/usr/share/doc/kelvar-raid/changelog.gz" | head -n 1)
[ "$first" = "kelvar-raid ($version) unstable; urgency=medium" ] ||
    fail "the changelog starts with '$first', not version $version"
source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
newest=$(sed -n 's/^## \([0-9.]*\) (.*$/\1/p' "$source_dir/CHANGELOG.md" | head -n 1)
[ "$newest" = "$version" ] || fail "CHANGELOG.md's newest entry is $newest, the package $version"
sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$tree"/usr/share/metainfo/*.metainfo.xml >"$out/releases"
sed -n 's/^## \([0-9.]*\) (.*$/\1/p' "$source_dir/CHANGELOG.md" | cmp -s - "$out/releases" ||
    fail "the metadata's releases are not CHANGELOG.md's: $(tr '\n' ' ' <"$out/releases")"
echo "package $version: lintian clean, /usr/games, changelog and releases from CHANGELOG.md"
echo "PASS"
