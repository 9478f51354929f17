#!/usr/bin/env bash
# Builds the Debian package of Inkveil: an optimised build installed under
# the prefix /usr, packed by CPack's DEB generator from exactly what
# `cmake --install` installs (cmake/Packaging.cmake). Prints the package's
# path on stdout; everything else goes to stderr.
#
#   tools/package.sh [build folder]     (default build/package)
#
# A fresh build folder is configured Release without tests and benchmarks.
# An existing optimised one (tools/test.sh passes build/release) is reused:
# it is configured again with the prefix /usr and only what changed builds.
# The package is <build folder>/inkveil_<version>_<architecture>.deb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-build/package}"

tools/setup.sh >&2

options=(-DCMAKE_INSTALL_PREFIX=/usr)
if [ ! -f "$build/CMakeCache.txt" ]; then
  options+=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DINKVEIL_TESTS=OFF -DINKVEIL_BENCHMARKS=OFF)
  if command -v ccache >/dev/null; then
    options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
fi
cmake -S . -B "$build" "${options[@]}" >&2
# A package holds optimised code only, never a debug or sanitizer build.
if ! grep -qx "CMAKE_BUILD_TYPE:STRING=Release" "$build/CMakeCache.txt" \
    || grep -qE "^INKVEIL_(SANITIZE|TSAN):BOOL=ON" "$build/CMakeCache.txt"; then
  echo "package.sh: $build is not a plain Release build" >&2
  exit 1
fi
cmake --build "$build" -j "$(nproc)" >&2

rm -f "$build"/inkveil_*.deb
(cd "$build" && cpack -G DEB -B "$PWD") >&2
deb=("$build"/inkveil_*.deb)
[ -f "${deb[0]}" ] || { echo "package.sh: cpack made no package" >&2; exit 1; }
realpath "${deb[0]}"
