#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs every test twice:
# an optimised build, then a build under AddressSanitizer and
# UndefinedBehaviorSanitizer. Last, the tests that run the camera's
# streaming thread run again under ThreadSanitizer. After the optimised build
# the installed tree is checked (tools/check_install.sh). Warnings are errors;
# INKVEIL_WERROR=OFF in the environment relaxes that for local experiments.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup.sh

jobs="$(nproc)"

run_suite() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -G Ninja -DINKVEIL_WERROR="${INKVEIL_WERROR:-ON}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs" ${targets:+--target $targets}
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300 ${labels:+-L $labels}
}

echo "== optimised build"
run_suite build/release -DCMAKE_BUILD_TYPE=Release

echo "== install: desktop entry, metainfo, icons, manual page, the installed program"
tools/check_install.sh build/release

echo "== sanitizer build"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DINKVEIL_SANITIZE=ON -DINKVEIL_BENCHMARKS=OFF

echo "== thread sanitizer: the streaming tests"
unset ASAN_OPTIONS UBSAN_OPTIONS
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
targets="camera_tests dshow_tests v4l2_tests" labels=streaming \
  run_suite build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DINKVEIL_TSAN=ON -DINKVEIL_BENCHMARKS=OFF
