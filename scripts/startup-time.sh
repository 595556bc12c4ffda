#!/usr/bin/env bash
# Measures, five times each on a virtual X server, how long the window takes to show the
# board: the screenshot driver (the same window, silent) reports the end of its first
# paint; for the program itself the time until its window is shown is taken from outside,
# and its peak memory (VmHWM) half a second later.
# Usage: scripts/startup-time.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target fudo-shogi fudo-shogi-shot >/dev/null
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
  shot=$1 game=$2
  for i in 1 2 3 4 5; do
    "$shot" --startup --since "$(date +%s.%N)" 2>/dev/null
  done
  for i in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$game" 2>/dev/null &
    pid=$!
    # Polled gently: a flood of short-lived X clients can make the server refuse one.
    until xwininfo -name "不動将棋" 2>/dev/null | grep -q IsViewable; do
      kill -0 "$pid" 2>/dev/null || { echo "fudo-shogi did not start"; break; }
      sleep 0.02
    done
    shown=$(( ($(date +%s%N) - start) / 1000000 ))
    sleep 0.5
    peak=$(awk "/VmHWM/ {print int(\$2 / 1024)}" "/proc/$pid/status" 2>/dev/null || echo "?")
    echo "fudo-shogi window shown after $shown ms, peak memory $peak MB"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  done' _ "$build/app/fudo-shogi-shot" "$build/app/fudo-shogi"
