#!/usr/bin/env bash
# Builds the Debian package (fudo-shogi_<version>_<arch>.deb) with Debian's usual hardening
# flags. Install it with: sudo apt install ./build-release/fudo-shogi_*.deb
# Usage: scripts/package.sh [folder [cmake options...]]
#   By default a release build in build-release without tests; scripts/test.sh packages its
#   own optimised build instead of building the game a third time, and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
dir=${1:-build-release}
shift || true
if [[ $# -eq 0 ]]; then
  set -- -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
scripts/build.sh "$dir" -DCMAKE_INSTALL_PREFIX=/usr \
  "-DCMAKE_C_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" \
  "-DCMAKE_SHARED_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" "$@"
rm -f "$dir"/*.deb
(cd "$dir" && cpack -G DEB)
ls -1 "$dir"/*.deb
