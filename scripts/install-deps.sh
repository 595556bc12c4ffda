#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the game needs that are not yet installed.
# Usage: scripts/install-deps.sh [--list] [run|test]   (test adds what the test suite needs;
#        --list prints the packages' names and installs nothing)
set -euo pipefail
list=false
if [[ ${1:-} == --list ]]; then list=true; shift; fi

want=(build-essential cmake ninja-build pkg-config git
      qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-svg-dev libgl-dev libxkbcommon-dev qt6-qpa-plugins
      libsdl2-mixer-dev fonts-ipafont-mincho nlohmann-json3-dev
      scdoc dpkg-dev)
if [[ "${1:-run}" == test ]]; then
  want+=(libgtest-dev googletest libbenchmark-dev xvfb xauth clang libclang-rt-dev
         appstream lintian man-db)
fi

if $list; then printf '%s\n' "${want[@]}"; exit 0; fi

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
