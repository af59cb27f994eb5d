#!/bin/sh
# Installs a kelvar-raid .deb into a fresh, minimal Debian 12 root with apt (which fetches its
# dependencies from Debian) and checks that the installed game runs there, as its desktop entry
# starts it. Needs root (debootstrap, chroot) and Debian's package servers.
# The pristine root is made once with debootstrap and kept in build/; every check works on a copy.
# Usage: check-deb.sh PACKAGE.deb
set -eu
deb=$(readlink -f "$1")
mirror="${KELVAR_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
cache="$(cd "$(dirname "$0")/.." && pwd)/build/debian-bookworm-minbase"

fail() { echo "package-check: FAIL: $*" >&2; exit 1; }
[ -f "$deb" ] || fail "no package $1"
[ "$(id -u)" -eq 0 ] || fail "needs root for debootstrap and chroot"
command -v debootstrap >/dev/null || fail "debootstrap is missing (apt-get install debootstrap)"

if [ ! -x "$cache/bin/sh" ]; then
    echo "package-check: making a minimal Debian 12 root in $cache (once; a few minutes)"
    rm -rf "$cache.partial"
    debootstrap --variant=minbase bookworm "$cache.partial" "$mirror" >"$cache.log" 2>&1 ||
        { tail -n 20 "$cache.log" >&2; fail "debootstrap (log: $cache.log)"; }
    mv "$cache.partial" "$cache"
fi

root=$(mktemp -d /tmp/kelvar-deb-root.XXXXXX)
cleanup() {
    umount "$root/proc" 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT
cp -a "$cache/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }

echo "package-check: installing $(basename "$deb") and its dependencies"
in_root sh -c 'apt-get update -q && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends /tmp/'"$(basename "$deb")" >"$root.apt.log" 2>&1 ||
    { tail -n 30 "$root.apt.log" >&2; rm -f "$root.apt.log"; fail "apt-get install"; }
rm -f "$root.apt.log"

in_root dpkg-query -W -f='${Package} ${Version} ${Section}\n' kelvar-raid
[ "$(in_root dpkg-query -W -f='${Section}' kelvar-raid)" = games ] || fail "section is not games"
missing=$(in_root ldd /usr/games/kelvar-raid | grep 'not found' || true)
[ -z "$missing" ] || fail "libraries missing: $missing"
for font in fonts-dejavu-core fonts-liberation; do
    in_root dpkg-query -W -f='${Status}\n' "$font" | grep -q 'install ok installed' ||
        fail "$font was not installed"
done

desktop=$(cd "$root" && ls usr/share/applications/*.desktop | head -n 1)
desktop=/$desktop
exec_cmd=$(sed -n 's/^Exec=//p' "$root$desktop")
[ -n "$exec_cmd" ] || fail "no Exec in $desktop"
version=$(in_root sh -c "$exec_cmd --version") || fail "$exec_cmd --version"
echo "package-check: $exec_cmd --version: $version"
[ "$version" = "kelvar-raid $(dpkg-deb -f "$deb" Version)" ] || fail "unexpected version"
echo "package-check: PASS"
