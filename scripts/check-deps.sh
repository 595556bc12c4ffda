#!/usr/bin/env bash
# Checks that everything a configured build found, and every tool the test command calls,
# comes from a Debian package that scripts/install-deps.sh installs (or one of those pulls
# in, or an essential package). A machine that had a package installed by hand would
# otherwise build here and fail on a fresh one. Fails naming the package to add.
# Usage: scripts/check-deps.sh BUILD_FOLDER [run|test]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/check-deps.sh BUILD_FOLDER [run|test]}
mode=${2:-test}
cache=$build/CMakeCache.txt
[[ -f $cache ]] || { echo "check-deps: $cache not found (configure first)"; exit 1; }

# The packages the install script names, and everything they depend on.
mapfile -t named < <(scripts/install-deps.sh --list "$mode")
declare -A allowed=()
while read -r p; do
  p=${p%%:*}
  [[ -n $p ]] && allowed[$p]=1
# Recommends count: apt installs them with the named packages.
done < <(apt-cache depends --recurse --installed --no-suggests --no-conflicts \
           --no-breaks --no-replaces --no-enhances "${named[@]}" 2>/dev/null | grep -v '^ ' | tr -d '<>')

# Paths the configure step found: each package's config folder and each program or
# library it looked up. Some are looked up whether or not anything uses them: CTest's
# dashboard tools, which the test command never runs, and GLU, which CMake's OpenGL module
# finds beside GL but nothing here links.
optional='^(MEMORYCHECK_COMMAND|COVERAGE_COMMAND|GITCOMMAND|MEMORYCHECK_SUPPRESSIONS_FILE|OPENGL_glu_LIBRARY)$'
paths=()
while IFS= read -r line; do
  name=${line%%:*}
  value=${line#*=}
  [[ -z $value || $value == *NOTFOUND* || $name =~ $optional ]] && continue
  case $line in
    *_DIR:PATH=*)
      # A package's folder holds its config file; the file tells which package it is.
      base=${name%_DIR}
      config=
      for c in "$value/${base}Config.cmake" "$value/${base,,}-config.cmake"; do
        [[ -f $c ]] && { config=$c; break; }
      done
      [[ -n $config ]] && paths+=("$name=$config")
      ;;
    *:FILEPATH=*) paths+=("$name=$value") ;;
  esac
done < "$cache"

# The tools the test command calls outside the build.
tools=(cmake ninja ctest cpack dpkg-buildflags iconv)
if [[ $mode == test ]]; then
  tools+=(clang clang++ appstreamcli man lintian)
fi
for t in "${tools[@]}"; do
  if p=$(command -v "$t"); then paths+=("tool $t=$p"); else paths+=("tool $t=missing"); fi
done

# One dpkg query for every path, under its own name, its real name and, for Debian's
# merged /usr, the name dpkg may know it by.
declare -A owners=()
names=()
for entry in "${paths[@]}"; do
  file=${entry#*=}
  [[ $file == missing ]] && continue
  real=$(readlink -f "$file" 2>/dev/null || echo "$file")
  names+=("$file" "$real" "${file#/usr}" "${real#/usr}")
done
while IFS= read -r line; do
  pkgs=${line%%: /*}
  owners[${line#*: }]=${pkgs%%,*}
done < <(dpkg -S "${names[@]}" 2>/dev/null | grep -v '^diversion')
owner() {
  local f=$1 real
  real=$(readlink -f "$f" 2>/dev/null || echo "$f")
  for candidate in "$f" "$real" "${f#/usr}" "${real#/usr}"; do
    [[ -n ${owners[$candidate]:-} ]] && { echo "${owners[$candidate]%%:*}"; return 0; }
  done
  return 1
}

status=0
here=$(pwd -P)
for entry in "${paths[@]}"; do
  what=${entry%%=*}
  file=${entry#*=}
  if [[ $file == missing ]]; then
    echo "check-deps: $what is not installed; add its package to scripts/install-deps.sh"
    status=1
    continue
  fi
  real=$(readlink -f "$file" 2>/dev/null || echo "$file")
  # Files of the project itself or of its build need no package.
  [[ $real == "$here"/* || $real == "$(readlink -f "$build")"/* ]] && continue
  if ! pkg=$(owner "$file"); then
    echo "check-deps: $what ($file) belongs to no Debian package"
    status=1
    continue
  fi
  if [[ -z ${allowed[$pkg]:-} ]] &&
     [[ $(dpkg-query -W -f='${Essential}' "$pkg" 2>/dev/null) != yes ]]; then
    echo "check-deps: $what ($file) comes from the package $pkg, which scripts/install-deps.sh does not install: add $pkg"
    status=1
  fi
done
[[ $status -eq 0 ]] && echo "check-deps: all ${#paths[@]} packages and tools come from installed packages the install script names"
exit $status
