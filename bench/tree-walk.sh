#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# marlo-convert -r over a tree of many small files: peak resident memory,
# the time to the first row of the report (the first file converted and in
# place), and the whole run, for a few tree sizes; memory must not grow
# with the count.
#
# Needs: GNU time (/usr/bin/time). Run from a release build:
#   bench/tree-walk.sh [path/to/marlo-convert] [counts...]   (default 10000 100000)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$top/build/release/cli/marlo-convert}
shift || true
counts=("${@:-10000 100000}")
[ $# -gt 0 ] || counts=(10000 100000)
if [ ! -x "$exe" ]; then
  cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DMARLO_BUILD_TESTS=OFF -DMARLO_BUILD_GUI=OFF >/dev/null
  cmake --build "$top/build/release" --target marlo-convert >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
big5=$(printf '\xb3\x6f\xac\x4f\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5\r\n')

printf '| files | peak RSS MB | first row s | whole run s | files/s |\n|---|---|---|---|---|\n'
for count in "${counts[@]}"; do
  rm -rf "$work/tree" "$work/out"
  # 100 files a folder, as a source tree holds them.
  for ((k = 0; k < count; k += 100)); do
    mkdir -p "$work/tree/d$k"
    for ((j = 0; j < 100 && k + j < count; ++j)); do printf '%s' "$big5" >"$work/tree/d$k/f$j.txt"; done
  done
  sync
  start=$(date +%s.%N)
  /usr/bin/time -f '%M' -o "$work/rss" "$exe" -t BigToGb -r "$work/tree" -o "$work/out" |
    { read -r _; first=$(date +%s.%N); cat >/dev/null; echo "$first" >"$work/first"; }
  end=$(date +%s.%N)
  awk -v n="$count" -v s="$start" -v f="$(cat "$work/first")" -v e="$end" -v m="$(cat "$work/rss")" \
    'BEGIN { printf "| %d | %.1f | %.2f | %.1f | %.0f |\n", n, m / 1024, f - s, e - s, n / (e - s) }'
done
