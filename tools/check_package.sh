#!/usr/bin/env bash
# Builds the Debian package (tools/package.sh) from a built tree and checks
# it: it holds every file `cmake --install` installs, among them the
# program, the desktop entry, the metainfo, the icon at every size, the
# manual page and the copyright; its Depends names the libraries the
# program links and the two font packages; lintian finds no errors; and the
# program unpacked from it answers --version (and finds the emulated camera
# of --demo, when the build installs it).
#
#   tools/check_package.sh [build folder]     (default build/release)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-build/release}"
id=org.inkveil.Inkveil

fail() { echo "check_package: $*" >&2; exit 1; }

deb="$(tools/package.sh "$build")"
echo "check_package: $deb, $(stat -c %s "$deb") bytes"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# What the package holds, as paths from the root.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/contents"
has() { grep -qxF "$1" "$work/contents" || fail "the package lacks $1"; }
has /usr/bin/inkveil
has /usr/share/applications/$id.desktop
has /usr/share/metainfo/$id.metainfo.xml
for size in 16 32 48 64 128 256; do
  has /usr/share/icons/hicolor/${size}x${size}/apps/$id.png
done
has /usr/share/man/man1/inkveil.1.gz
has /usr/share/doc/inkveil/copyright
has /usr/share/doc/inkveil/changelog.gz
# Whatever else the build installs (the demo camera's library, say) is in
# the package too.
DESTDIR="$work/install" cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/install" && find . -type f -o -type l) | sed 's|^\.||' | while read -r f; do
  has "$f"
done

# Depends: the libraries found by dpkg-shlibdeps and the fonts, by name.
dpkg-deb -I "$deb"
dpkg-deb -f "$deb" Depends >"$work/depends"
tr ',' '\n' <"$work/depends" | awk '{ print $1 }' >"$work/names"
for p in libc6 libx11-6 libcairo2 libturbojpeg0 fonts-arphic-uming fonts-wqy-microhei; do
  grep -qx "$p" "$work/names" || fail "Depends does not name $p"
done

# Errors fail; warnings and notes are shown.
lintian --fail-on error "$deb" || fail "lintian finds errors"

dpkg -x "$deb" "$work/root"
version="$(dpkg-deb -f "$deb" Version)"
"$work/root/usr/bin/inkveil" --version | grep -qx "inkveil $version" || fail "the packaged inkveil --version"
# When the build installs the emulated camera, the unpacked program finds it
# where the package put it.
if grep -q "/inkveil/inkveil-democamera\.so$" "$work/contents"; then
  env -u DISPLAY "$work/root/usr/bin/inkveil" --demo --list-cameras | grep -q "Demo Document Camera" \
    || fail "the packaged inkveil --demo does not find its emulated camera"
fi
echo "check_package: the package is complete and lintian finds no errors"
