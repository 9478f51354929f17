#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the program and runs it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)"

# The drawing-object sheet is what runs so far: it renders every tool, line
# type, width and opacity into a picture.
out="${1:-$root/out/figures.bmp}"
mkdir -p "$(dirname "$out")"
build/release/tools/figure_sheet "$out"
echo "Wrote $out"
