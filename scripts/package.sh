#!/usr/bin/env bash
# Builds the Debian package (fudo-shogi_<version>_<arch>.deb) in build-release, with
# Debian's usual hardening flags; scripts/test.sh checks it with lintian.
# Install it with: sudo apt install ./build-release/fudo-shogi_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
  "-DCMAKE_C_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" \
  "-DCMAKE_SHARED_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
rm -f build-release/*.deb
(cd build-release && cpack -G DEB)
ls -1 build-release/*.deb
