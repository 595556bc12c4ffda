#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan + UBSan and runs each for a bounded
# time over a seed corpus made here (records and sessions written by the game, settings
# files, SFEN positions, plus truncated and mutated copies), the kept regression inputs and
# the committed corpus fuzz/corpus/NAME. With --keep, what a run finds that reaches code
# the committed corpus does not is merged into it, minimised, so that the next run starts
# from there: commit the changes under fuzz/corpus. Without it (the test command) the
# committed corpus is only read, and the tree stays as it was.
# Usage: scripts/fuzz.sh [seconds per fuzzer] [--keep]   Any crash, leak or hang fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-40}
keep=false
[[ ${2:-} == --keep ]] && keep=true
dir=build-fuzz

CC=clang CXX=clang++ scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DFUDO_FUZZ=ON -DFUDO_SANITIZE=ON -DFUDO_BUILD_GUI=OFF -DBUILD_TESTING=OFF

corpus=$dir/corpus
rm -rf "$corpus"
mkdir -p "$corpus"/{record,settings,sfen,kif,csa,session}

# Records: whole games written by the game's own writer, then cut and mutated copies.
for s in 1 2 3 4; do
  "$dir/cli/fudo-cli" selfplay --games 1 --seed "$s" --record "$corpus/record/game$s.棋譜" >/dev/null
done
i=0
for f in "$corpus"/record/game*.棋譜; do
  i=$((i + 1))
  head -c 300 "$f" > "$corpus/record/cut$i"
  head -n 5 "$f" > "$corpus/record/short$i"
  sed '4s/-10/-99/' "$f" > "$corpus/record/badcode$i"
  sed '5s/^ 7/17/' "$f" > "$corpus/record/badsquare$i"
done

# KIF and CSA: the same games exported in each format, then cut and mutated copies.
for s in 1 2 3 4; do
  "$dir/cli/fudo-cli" export "$corpus/record/game$s.棋譜" --kifu -o "$corpus/kif/game$s.kifu" >/dev/null
  "$dir/cli/fudo-cli" export "$corpus/record/game$s.棋譜" --kif -o "$corpus/kif/game$s.kif" >/dev/null
  "$dir/cli/fudo-cli" export "$corpus/record/game$s.棋譜" --csa -o "$corpus/csa/game$s.csa" >/dev/null
  head -c 400 "$corpus/kif/game$s.kifu" > "$corpus/kif/cut$s"
  head -c 200 "$corpus/csa/game$s.csa" > "$corpus/csa/cut$s"
done
printf '手合割：角落ち\r\n下手：a\r\n上手：b\r\n   1 ４二銀(31)\r\n   2 ７六歩(77)\r\n   3 投了\r\n' > "$corpus/kif/kaku"
printf 'V2.2\r\nPI82HI22KA\r\n-\r\n-3142GI\r\nT3\r\n+7776FU,T1\r\n%%TORYO\r\n' > "$corpus/csa/nimai"

# Settings: every valid line, short files, unknown texts, wrong case, no CR.
sjis() { iconv -f UTF-8 -t CP932; }
printf '背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n' | sjis > "$corpus/settings/default"
printf '背景画=煉瓦\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n' | sjis > "$corpus/settings/other"
printf '背景画=宇宙\r\n移動指導=ON\r\n' | sjis > "$corpus/settings/two-lines"
printf '背景画=海\r\n移動指導=ON\r\n経過時間=ON\r\nbgm=on\r\n' | sjis > "$corpus/settings/unknown"
printf '背景画=竹\n移動指導=ON\n経過時間=ON\nBGM=ON\n' | sjis > "$corpus/settings/lf-only"

# SFEN: the benchmark corpus and the positions of the golden outputs.
n=0
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  n=$((n + 1)); printf '%s' "$line" > "$corpus/sfen/bench$n"
done < bench/positions.sfen
n=0
grep -h '^position ' tests/data/golden/*.txt | sort -u | while IFS= read -r line; do
  n=$((n + 1)); printf '%s' "${line#position }" > "$corpus/sfen/golden$n"
done

# Sessions: games in several states written by the game's own writer, cut copies.
"$dir/fuzz/session_seeds" "$corpus/session" >/dev/null
i=0
for f in "$corpus"/session/*.json; do
  i=$((i + 1))
  head -c 2000 "$f" > "$corpus/session/cut$i"
done

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for name in record settings sfen kif csa session; do
  kept=fuzz/corpus/$name
  found=$dir/found/$name  # the first folder: where libFuzzer puts what it finds
  rm -rf "$found"
  mkdir -p "$kept" "$found" "$dir/findings/$name"
  seeds=("$found" "$kept" "$corpus/$name")
  [[ -d fuzz/regressions/$name ]] && seeds+=("fuzz/regressions/$name")
  echo "== fuzzing $name for ${secs}s from $(ls "$kept" | wc -l) kept inputs"
  if ! "$dir/fuzz/${name}_fuzz" -max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$dir/findings/$name/" -print_final_stats=1 "${seeds[@]}" \
       > "$dir/findings/$name.log" 2>&1; then
    echo "fuzzer $name failed; see $dir/findings/$name.log"
    tail -n 40 "$dir/findings/$name.log"
    status=1
    continue
  fi
  grep -E 'stat::number_of_executed_units|Done' "$dir/findings/$name.log" | tail -n 2
  $keep || continue
  # The kept corpus and the new finds, minimised together into the kept corpus.
  merged=$dir/merged/$name
  rm -rf "$merged"
  mkdir -p "$merged"
  if "$dir/fuzz/${name}_fuzz" -merge=1 -timeout=10 -rss_limit_mb=2048 "$merged" "$kept" "$found" \
       > "$dir/findings/$name.merge.log" 2>&1; then
    before=$(ls "$kept" | wc -l)
    rm -f "$kept"/*
    cp "$merged"/* "$kept"/ 2>/dev/null || true
    echo "   kept corpus: $before -> $(ls "$kept" | wc -l) inputs"
  else
    echo "merging the $name corpus failed; see $dir/findings/$name.merge.log"
    status=1
  fi
done
exit $status
