#!/usr/bin/env bash
# Installs a built tree into a temporary DESTDIR and checks what landed:
# the desktop entry and the AppStream metainfo pass their validators with no
# errors, the icon stands at every size of the icon theme, the manual page,
# copyright and change log are there, and the installed program answers
# --version and --help and finds its emulated camera (--demo) where it was
# installed.
#
#   tools/check_install.sh [build folder]     (default build/release)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/release}"
id=org.inkveil.Inkveil

dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
usr="$dest/usr"

fail() { echo "check_install: $*" >&2; exit 1; }

for f in bin/inkveil share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/man/man1/inkveil.1.gz share/doc/inkveil/copyright share/doc/inkveil/changelog.gz; do
  [ -f "$usr/$f" ] || fail "$f was not installed"
done
for size in 16 32 48 64 128 256; do
  icon="$usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  file -b "$icon" | grep -q "PNG image data, $size x $size" || fail "the ${size}x${size} icon is not a PNG of that size"
done

# Hints are fine; errors and warnings fail.
desktop-file-validate "$usr/share/applications/$id.desktop" | tee "$dest/desktop.log"
if grep -qE ": (error|warning):" "$dest/desktop.log"; then
  fail "the desktop entry does not validate"
fi
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"
# The metainfo's screenshot is the README's first picture, at its size.
shot="$(grep -m1 -oE '\]\(docs/[^)]+\.png\)' "$root/README.md" | sed -E 's/^\]\((.*)\)$/\1/')"
size="$(file -b "$root/$shot" | sed -E 's/^PNG image data, ([0-9]+) x ([0-9]+),.*/width="\1" height="\2"/')"
grep -qE "<image type=\"source\" $size>[^<]*/$(basename "$shot")</image>" \
  "$usr/share/metainfo/$id.metainfo.xml" || fail "the metainfo's screenshot is not $shot ($size)"
# The manual page formats without complaint.
if man --warnings -l "$usr/share/man/man1/inkveil.1.gz" 2>&1 >/dev/null | grep -q .; then
  fail "the manual page has formatting problems"
fi

"$usr/bin/inkveil" --version | grep -qx "inkveil [0-9.]*" || fail "--version"
"$usr/bin/inkveil" --help | grep -q -- "--device" || fail "--help"
demo_lib=$(find "$dest" -name inkveil-democamera.so -path "*/inkveil/*")
[ -n "$demo_lib" ] || fail "the emulated camera's library was not installed"
[ ! -x "$demo_lib" ] || fail "the emulated camera's library is executable"
env -u DISPLAY "$usr/bin/inkveil" --demo --list-cameras | grep -q "Demo Document Camera" \
  || fail "--demo did not find the installed emulated camera"
echo "check_install: the installed tree is complete and valid"
