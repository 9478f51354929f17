#!/usr/bin/env bash
# Fuzzes the scenario player's script reader with clang's libFuzzer, under
# AddressSanitizer and UndefinedBehaviorSanitizer. Not part of CI: run it
# by hand after changing the reader.
#
#   tools/fuzz.sh [SECONDS]     default 600
#
# The corpus grows in build/fuzz/corpus, seeded with the acceptance
# scripts; a crash leaves its input in build/fuzz/ as crash-*.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-600}"

if ! command -v clang++ >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends clang
fi

out=build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" tools/play/Script.cpp tools/play/KeyNames.cpp tools/play/fuzz/ScriptReaderFuzz.cpp \
  -o "$out/script_reader_fuzz"
cp -n tests/acceptance/*.play "$out/corpus/" 2>/dev/null || true

cd "$out"
exec ./script_reader_fuzz -max_total_time="$seconds" -max_len=4096 -dict="$root/tools/play/fuzz/script.dict" \
  -print_final_stats=1 corpus
