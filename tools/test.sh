#!/usr/bin/env bash
# Sets up a Debian 12 machine, checks the format of the C++ files, then
# builds everything with two compilers and runs every test on each build:
# an optimised GCC build, then a clang build under AddressSanitizer and
# UndefinedBehaviorSanitizer. Last, the tests that run the camera's
# streaming thread run again under ThreadSanitizer (GCC). After the
# optimised build the installed tree is checked (tools/check_install.sh),
# and the Debian package is made from that build and checked
# (tools/check_package.sh).
# Warnings are errors on every build; INKVEIL_WERROR=OFF in the environment
# relaxes that for local experiments. ccache, when installed, caches the
# compilations.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup.sh

echo "== format of the C++ files"
tools/check-format.sh

jobs="$(nproc)"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

run_suite() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -G Ninja -DINKVEIL_WERROR="${INKVEIL_WERROR:-ON}" "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs" ${targets:+--target $targets}
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300 ${labels:+-L $labels}
}

echo "== optimised build (GCC)"
# Configured for /usr, as the package installs it, so that the package
# below reuses this build and the tests ran on what it ships.
run_suite build/release -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DCMAKE_INSTALL_PREFIX=/usr

echo "== install: desktop entry, metainfo, icons, manual page, the installed program"
tools/check_install.sh build/release

echo "== Debian package: contents, Depends, lintian"
tools/check_package.sh build/release

echo "== sanitizer build (clang)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite build/sanitize-clang -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DINKVEIL_SANITIZE=ON -DINKVEIL_BENCHMARKS=OFF

echo "== thread sanitizer: the streaming tests (GCC)"
unset ASAN_OPTIONS UBSAN_OPTIONS
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
targets="camera_tests dshow_tests v4l2_tests log_tests" labels=streaming \
  run_suite build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
  -DINKVEIL_TSAN=ON -DINKVEIL_BENCHMARKS=OFF
