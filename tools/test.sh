#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs every test twice:
# an optimised build, then a build under AddressSanitizer and
# UndefinedBehaviorSanitizer. Set INKVEIL_WERROR=ON in the environment to make
# warnings errors.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup.sh

jobs="$(nproc)"

run_suite() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -G Ninja -DINKVEIL_WERROR="${INKVEIL_WERROR:-OFF}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300
}

echo "== optimised build"
run_suite build/release -DCMAKE_BUILD_TYPE=Release

echo "== sanitizer build"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DINKVEIL_SANITIZE=ON -DINKVEIL_BENCHMARKS=OFF
