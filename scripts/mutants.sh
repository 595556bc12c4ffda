#!/usr/bin/env bash
# Plants each fault of a list one at a time, rebuilds what it names, runs its tests and
# reports the faults no test noticed. Run by hand, not in CI, on a configured build folder:
#   scripts/mutants.sh [list (scripts/mutants.list)] [build folder (build)] [name filter]
# The file of each fault is restored after it, and on any exit or interruption.
set -uo pipefail
cd "$(dirname "$0")/.."
list=${1:-scripts/mutants.list}
build=${2:-build}
only=${3:-}
[[ -f $list ]] || { echo "mutants: no list $list" >&2; exit 2; }
[[ -f $build/build.ninja || -f $build/Makefile ]] || { echo "mutants: $build is not a configured build folder" >&2; exit 2; }

work=$(mktemp -d)
# The tests keep their settings under a home of their own: other runs on the machine share the real one.
mkdir -p "$work/home"
planted=""  # the file holding a fault now; its original is $work/original
restore() {
    if [[ -n $planted ]]; then
        # A plain copy gives the file a new time, so the next build compiles it again.
        cat "$work/original" >"$planted"
        planted=""
    fi
}
trap 'restore; rm -rf "$work"' EXIT
trap 'echo "mutants: interrupted, tree restored" >&2; exit 130' INT TERM HUP

# Occurrences of text $1 in file $2 ("\n" in the text is a line break).
count() { perl -0777 -ne 'BEGIN { $a = shift; $a =~ s/\\n/\n/g } $n = () = /\Q$a\E/g; print $n' "$1" "$2"; }
replace() {
    perl -0777 -i -pe 'BEGIN { ($a, $b) = (shift, shift); s/\\n/\n/g for $a, $b } s/\Q$a\E/$b/' "$1" "$2" "$3"
}

declare -a names files froms tos builds tests
n=-1
while IFS= read -r line || [[ -n $line ]]; do
    case $line in
    '== '*) n=$((n + 1)); names[n]=${line#== }; tos[n]="" ;;
    'file: '*) files[n]=${line#file: } ;;
    'from: '*) froms[n]=${line#from: } ;;
    'to:'*) tos[n]=${line#to:}; tos[n]=${tos[n]# } ;;
    'build: '*) builds[n]=${line#build: } ;;
    'test: '*) tests[n]=${line#test: } ;;
    esac
done <"$list"

# Every target must build from the clean tree, else a failure would pass for a catch.
targets=$(printf '%s\n' "${builds[@]}" | tr ' ' '\n' | sort -u | tr '\n' ' ')
# shellcheck disable=SC2086
cmake --build "$build" --target $targets >"$work/build.log" 2>&1 || {
    tail -20 "$work/build.log"
    echo "mutants: the clean tree does not build" >&2
    exit 1
}

caught=0 missed=0 skipped=0
summary=""
for i in $(seq 0 "$n"); do
    name=${names[i]}
    [[ -z $only || $name == *"$only"* ]] || continue
    file=${files[i]}
    if [[ $(count "${froms[i]}" "$file") != 1 ]]; then
        summary+="STALE   $name (the text is not once in $file)"$'\n'
        skipped=$((skipped + 1))
        continue
    fi
    cp "$file" "$work/original"
    planted=$file
    replace "${froms[i]}" "${tos[i]}" "$file"
    echo "mutants: $name" >&2
    # shellcheck disable=SC2086
    if ! cmake --build "$build" --target ${builds[i]} >"$work/build.log" 2>&1; then
        summary+="NOBUILD $name"$'\n'
        skipped=$((skipped + 1))
    elif (cd "$build" && HOME="$work/home" timeout 1800 bash -c "${tests[i]}") >"$work/test.log" 2>&1; then
        summary+="MISSED  $name"$'\n'
        missed=$((missed + 1))
    else
        # The failing tests, as GoogleTest and Qt Test name them.
        failed=$(grep -hoE '^\[  FAILED  \] [A-Za-z][A-Za-z0-9_./]*|^FAIL!  : [A-Za-z0-9_:]+\(?[^)]*\)?' "$work/test.log" |
                 sed -E 's/^\[  FAILED  \] |^FAIL!  : //' | sort -u | tr '\n' ' ')
        summary+="caught  $name: ${failed:-(the command failed)}"$'\n'
        caught=$((caught + 1))
    fi
    restore
done

printf '%s' "$summary"
echo "mutants: $caught caught, $missed missed, $skipped not run"
# Leave the build folder matching the restored tree.
# shellcheck disable=SC2086
cmake --build "$build" --target $targets >"$work/build.log" 2>&1 || echo "mutants: rebuilding the clean tree failed" >&2
[[ $missed == 0 ]]
