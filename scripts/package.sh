#!/usr/bin/env bash
# Builds the Debian package (fudo-shogi_<version>_<arch>.deb) in build-release.
# Install it with: sudo apt install ./build-release/fudo-shogi_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
(cd build-release && cpack -G DEB)
ls -1 build-release/*.deb
