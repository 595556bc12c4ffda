#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit, window, sound and
# monkey tests in an optimised build and again under AddressSanitizer and
# UndefinedBehaviorSanitizer; the tests that run threads again under ThreadSanitizer;
# checks that everything the build found is installed by scripts/install-deps.sh; checks
# the AppStream metadata, the manual pages and the Debian package; then runs each fuzzer
# for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== build, package and test (optimised, with Debian's hardening flags)"
scripts/package.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUDO_WERROR=ON -DBUILD_TESTING=ON
echo "== every package the build found comes from the install script"
scripts/check-deps.sh build test
ctest --test-dir build --output-on-failure --parallel "$jobs"

echo "== build and test under ASan + UBSan"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DFUDO_SANITIZE=ON -DFUDO_WERROR=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --parallel "$jobs"

echo "== build and test the threads under ThreadSanitizer"
# Only the tests that share memory between threads: Lazy SMP, the search's time and stop,
# the USI loop, the match's engines, level 4 searching beside the game and the review (the
# core tests' program is built of their files alone; the whole suite would take too long).
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUDO_TSAN=ON -DFUDO_WERROR=ON \
  -DFUDO_BUILD_GUI=OFF -DBUILD_TESTING=ON >/dev/null
cmake --build build-tsan --parallel "$jobs" --target fudo_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir build-tsan --output-on-failure --parallel "$jobs" \
  -R '^(SearchThreads|SearchTime|Usi|UsiSession|Match|Level4)\.|^Analysis\.CommandLine'

echo "== AppStream metadata, manual pages, Debian package"
appstreamcli validate --no-net build/packaging/*.metainfo.xml
for page in build/docs/man/fudo-cli.1 build/docs/man/fudo-shogi.6; do
  # man reports troff's warnings on stderr but still exits 0.
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  if [[ -n "$warnings" ]]; then
    echo "$page: $warnings"
    exit 1
  fi
done
lintian --fail-on error,warning build/fudo-shogi_*.deb

echo "== bounded fuzzing"
scripts/fuzz.sh "${FUDO_FUZZ_SECONDS:-20}"
