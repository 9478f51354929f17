#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the program and runs it on the X
# display. With a document camera attached the camera's live picture fills
# the screen; without one the picture area says that no camera was found.
#
#   tools/run.sh          the program
#   tools/run.sh --demo   the same program on an emulated camera (inkveil --demo)
#   tools/run.sh ARGS     any options go to the program (inkveil --help)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)" --target inkveil inkveil_democamera_module inkveil-play figure_sheet

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set); start the program from a desktop session." >&2
  exit 1
fi
exec build/release/app/program/inkveil "$@"
