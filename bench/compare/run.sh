#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Whole-process comparison of marlo-convert with peer converters on the same
# 64 MiB files, input redirected from the file, output to /dev/null. Writes
# the medians of 5 runs, the ratios to the fastest peer and marlo-convert's
# peak resident memory to bench/RESULTS.md.
#
# Needs: hyperfine, zh-autoconvert (autogb, autob5), opencc, time, manpages-zh.
#   bench/compare/run.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
corpus=${CORPUS:-$top/build/corpus}
build=$top/build/release
exe=$build/cli/marlo-convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[ -f "$corpus/big5.txt" ] || "$top/bench/compare/make-corpus.sh" "$corpus"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target marlo-convert >/dev/null

# job name | marlo-convert type | input file | peer commands (;; separated)
jobs=(
  "GBK → Big5, same characters|GbkToBig|gbk.txt|iconv -c -f CP936 -t CP950"
  "Big5 → UTF-16BE|BigToUsc|big5.txt|iconv -c -f CP950 -t UTF-16BE"
  "Big5 → GB2312, simplifying|BigToGb|big5.txt|autogb;;iconv -c -f CP950 -t UTF-8 | opencc -c t2s | iconv -c -f UTF-8 -t GB2312"
  "GB2312 → Big5, traditionalising|GbToBig|gb2312.txt|autob5;;iconv -c -f GB2312 -t UTF-8 | opencc -c s2t | iconv -c -f UTF-8 -t CP950"
)

n=0
for job in "${jobs[@]}"; do
  IFS='|' read -r name type input peers <<< "$job"
  commands=("< $corpus/$input $exe -t $type > /dev/null")
  while [ -n "$peers" ]; do
    peer=${peers%%;;*}
    commands+=("< $corpus/$input $peer > /dev/null")
    [ "$peer" = "$peers" ] && peers="" || peers=${peers#*;;}
  done
  hyperfine --runs 5 --style basic --export-json "$work/$n.json" "${commands[@]}" >&2
  /usr/bin/time -f %M "$exe" -t "$type" < "$corpus/$input" 2> "$work/$n.rss" > /dev/null
  printf '%s\n' "$name" > "$work/$n.name"
  n=$((n + 1))
done

python3 - "$work" "$n" "$corpus" "$exe" > "$top/bench/RESULTS.md" <<'PY'
import json, os, sys
work, count, corpus, exe = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
size = os.path.getsize(os.path.join(corpus, "big5.txt")) / 1e6
print("# marlo-convert against peer converters\n")
print("Made by `bench/compare/run.sh` (whole processes, medians of 5 runs by hyperfine, "
      "input redirected from a 64 MiB file, output to /dev/null; the corpus is "
      "Debian's manpages-zh pages, see `bench/compare/make-corpus.sh`).\n")
print("| job | command | median s | MB/s | marlo-convert speed-up |")
print("|---|---|---|---|---|")
for k in range(count):
    name = open(f"{work}/{k}.name").read().strip()
    results = json.load(open(f"{work}/{k}.json"))["results"]
    marlo = results[0]["median"]
    fastest_peer = min(r["median"] for r in results[1:])
    rss = int(open(f"{work}/{k}.rss").read().split()[-1]) / 1024
    for i, r in enumerate(results):
        command = r["command"].replace(corpus + "/", "").replace(" > /dev/null", "")
        command = command.replace(exe, "marlo-convert")
        command = command.replace("|", "\\|")
        ratio = f"**{fastest_peer / marlo:.1f}×** the fastest peer; peak RSS {rss:.1f} MB" if i == 0 else ""
        print(f"| {name if i == 0 else ''} | `{command}` | {r['median']:.3f} | {size / r['median']:.0f} | {ratio} |")
PY
cat "$top/bench/RESULTS.md"
