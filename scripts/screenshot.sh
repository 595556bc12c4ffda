#!/usr/bin/env bash
# Plays a few moves in the game's window on a virtual X server and saves a picture of it
# for the README. Usage: scripts/screenshot.sh [build folder] [picture] [driver options]
# (the English one: scripts/screenshot.sh build docs/screenshot-en.png --scale 1 --lang en)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
picture=${2:-docs/screenshot.png}
scripts/install-deps.sh test
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --target fudo-shogi-shot
mkdir -p "$(dirname "$picture")"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1600x1200x24" "$build/app/fudo-shogi-shot" "$picture" --scale 1.5 "${@:3}"
