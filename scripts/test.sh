#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in an optimised
# build, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== build and test (RelWithDebInfo)"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUDO_WERROR=ON
ctest --test-dir build --output-on-failure --parallel "$jobs"

echo "== build and test under ASan + UBSan"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DFUDO_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --parallel "$jobs"
