#!/usr/bin/env bash
# Measures the strength ladder by fudo-cli match: every step against the one below it
# (level 3 below step 1) and against level 3, and full level 4 against the last step, then
# prints the table the README and the manual carry.
#
# usage: scripts/ladder.sh [--games N] [--movetime MS] [--jobs J] [--cli PATH] [--out DIR] [--seed S]
#        scripts/ladder.sh --table DIR...  (the table from the logs of runs, their games summed)
set -euo pipefail
cd "$(dirname "$0")/.."
games=200 movetime=300 jobs=2 cli=build/cli/fudo-cli out=/tmp/fudo-ladder seed=1 table_only=
while [[ $# -gt 0 ]]; do
  case $1 in
    --games) games=$2; shift 2 ;;
    --movetime) movetime=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --cli) cli=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --table) table_only=1; shift; dirs=("$@"); break ;;
    *) echo "ladder.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
# The number of steps, as the engine has them.
steps=$(sed -n 's/^constexpr int StepCount = \([0-9]*\);.*/\1/p' search/strength.h)
[[ -n $steps ]] || { echo "ladder.sh: no StepCount in search/strength.h" >&2; exit 1; }
cli=$(realpath "$cli")

# A rung: L3 (level 3), S1..Sn (the steps), L4 (full level 4). The lower rung is fudo-cli's
# own side of the match, the upper one the USI engine it plays against.
side() {  # match options for the lower rung
  case $1 in L3) echo "--level 3" ;; L4) echo "--level 4" ;; S*) echo "--step ${1#S}" ;; esac
}
engine() {  # USI command of the upper rung
  case $1 in L4) echo "$cli usi --hash 16" ;; S*) echo "$cli usi --hash 16 --step ${1#S}" ;; esac
}

# The dearest match first, so that the cheap ones fill the other core meanwhile.
pairs=("S$steps L4")
prev=L3
for k in $(seq 1 $steps); do
  pairs+=("$prev S$k")
  [[ $prev != L3 ]] && pairs+=("L3 S$k")
  prev=S$k
done

if [[ -z $table_only ]]; then
  dirs=("$out")
  mkdir -p "$out"
  start=$(date +%s)
  run() {
    local low=$1 high=$2
    # shellcheck disable=SC2046
    "$cli" match $(side "$low") --hash 16 --engine "$(engine "$high")" --games "$games" \
      --movetime "$movetime" --seed "$seed" > "$out/$low-$high.log" 2>&1
  }
  running=0
  for p in "${pairs[@]}"; do
    # shellcheck disable=SC2086
    run $p &
    running=$((running + 1))
    if (( running >= jobs )); then wait -n || true; running=$((running - 1)); fi
  done
  wait || true
  echo "ladder: $(( $(date +%s) - start )) s for ${#pairs[@]} matches of $games games at $movetime ms a move, $jobs at once" >&2
fi

# The upper rung's score and Elo from the last score line of each log (the match prints
# the lower rung's view).
python3 - "$steps" "${dirs[*]}" "${pairs[@]}" <<'EOF'
import math, re, sys
steps = int(sys.argv[1])
dirs, pairs = sys.argv[2].split(), [p.split() for p in sys.argv[3:]]
line_re = re.compile(r"(\d+) wins, (\d+) draws, (\d+) losses in (\d+) games")
def elo(p):
    p = min(max(p, 0.001), 0.999)
    return -400 * math.log10(1 / p - 1)
def counts(out, low, high):
    last = None
    try:
        for line in open(f"{out}/{low}-{high}.log", encoding="utf-8"):
            m = line_re.search(line)
            if m: last = m
    except OSError:
        pass
    # The upper rung's wins are the lower rung's losses.
    return tuple(int(x) for x in last.groups()) if last else (0, 0, 0, 0)
def score(l, d, w, n):
    p = (w + 0.5 * d) / n
    var = (w * (1 - p) ** 2 + d * (0.5 - p) ** 2 + l * p * p) / n
    se = math.sqrt(var / n)
    err = (elo(p + 1.96 * se) - elo(p - 1.96 * se)) / 2
    return (w, d, l, n, p, elo(p), err)
res, per_run = {}, {}
for low, high in pairs:
    runs = [counts(out, low, high) for out in dirs]
    per_run[(low, high)] = [score(*c) if c[3] else None for c in runs]
    l, d, w, n = (sum(c[i] for c in runs) for i in range(4))
    if n: res[(low, high)] = score(l, d, w, n)
def cell(key):
    if key not in res: return "–"
    w, d, l, n, p, e, err = res[key]
    return f"{100*p:.1f}% ({w}–{d}–{l}, n={n}), {e:+.0f} ± {err:.0f}"
names = {"L3": "LEVEL3", "L4": "LEVEL4 (full)"}
print("| Step | Score against the step below (W–D–L) and Elo | Score against LEVEL3 and Elo | Elo over LEVEL3 (chained) |")
print("|---|---|---|---|")
chain, chain_var, prev = 0.0, 0.0, "L3"
rungs = [f"S{k}" for k in range(1, steps + 1)] + ["L4"]
for r in rungs:
    below = (prev, r)
    if below in res and chain is not None:
        chain += res[below][5]; chain_var += (res[below][6]) ** 2
        total = f"{chain:+.0f} ± {math.sqrt(chain_var):.0f}"
    else:
        chain, total = None, "–"
    direct = ("L3", r) if ("L3", r) in res and prev != "L3" else None
    name = names.get(r, f"LEVEL4-{r[1:]}")
    print(f"| {name} | {cell(below)} | {cell(direct) if direct else ('same' if prev == 'L3' else '–')} | {total} |")
    prev = r
if len(dirs) > 1:
    print()
    print("| Match (upper rung's Elo) | " + " | ".join(f"run {i + 1}" for i in range(len(dirs))) + " | largest difference |")
    print("|---|" + "---|" * (len(dirs) + 1))
    for low, high in pairs:
        runs = per_run[(low, high)]
        cells = [f"{r[5]:+.0f} ± {r[6]:.0f} (n={r[3]})" if r else "–" for r in runs]
        known = [r[5] for r in runs if r]
        spread = f"{max(known) - min(known):.0f}" if len(known) > 1 else "–"
        print(f"| {names.get(high, 'LEVEL4-' + high[1:])} vs {names.get(low, 'LEVEL4-' + low[1:])} | " + " | ".join(cells) + f" | {spread} |")
EOF
