#!/usr/bin/env bash
# The whole program's cost as a user's machine feels it: the program on a
# private Xvfb, showing an emulated 1920x1080 camera at 30 frames a second
# (YUYV, then MJPG) with one pen stroke on the overlay, for 60 s each.
# `inkveil --demo=yuyv` and `--demo=mjpg` put that camera (from the
# emulated camera's library, inkveil-democamera.so, loaded at run time) in
# place of the cameras attached and draw the stroke once the picture runs.
# Prints the process's CPU time per second of wall time between the 10th
# and the 60th second (one core = 100 %), its resident set at both times
# and its peak. Run by hand (not by CI): build first with
#   cmake --build build/release --target inkveil
# Usage: bench/pipeline.sh [build-dir] [seconds]
set -euo pipefail

build=${1:-build/release}
seconds=${2:-60}
program="$build/app/program/inkveil"
[ -x "$program" ] || { echo "no $program: build the inkveil target first" >&2; exit 1; }
ticks=$(getconf CLK_TCK)

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
hwm_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

run_one() {
    local format=$1
    local fifo xvfb display pid
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    DISPLAY=":$display" "$program" --demo="$format" >/dev/null 2>&1 &
    pid=$!
    sleep 10
    local c10 r10 c60 r60 peak
    c10=$(cpu_ticks "$pid")
    r10=$(rss_kb "$pid")
    sleep $((seconds - 10))
    c60=$(cpu_ticks "$pid")
    r60=$(rss_kb "$pid")
    peak=$(hwm_kb "$pid")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    awk -v f="$format" -v c10="$c10" -v c60="$c60" -v t="$ticks" -v s="$((seconds - 10))" \
        -v r10="$r10" -v r60="$r60" -v peak="$peak" 'BEGIN {
        printf "%-5s CPU %5.1f %% of one core (seconds 10..%d)   RSS %.1f MB at 10 s, %.1f MB at %d s, peak %.1f MB\n",
            f, 100 * (c60 - c10) / t / s, s + 10, r10 / 1024, r60 / 1024, s + 10, peak / 1024 }'
}

run_one yuyv
run_one mjpg
