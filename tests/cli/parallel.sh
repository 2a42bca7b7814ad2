#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The filter is safe to split at line ends for the byte codes: GNU parallel
# cutting a large Big5 file into blocks at line ends (--pipepart) and
# converting them side by side gives the bytes one whole conversion gives.
# Usage: parallel.sh MARLO_CONVERT
set -euo pipefail
convert=$1
command -v parallel >/dev/null || { echo "parallel.sh: GNU parallel is missing" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# About 8 MiB of Big5 lines, each a little different, some blank, in CR LF.
line=$(printf '\xb3\x6f\xac\x4f\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5\xa1\x41\xc2\xe0\xb4\xab\xab\xe1')
for ((k = 0; k < 40000; ++k)); do printf '%s %d\r\n%s%s\r\n\r\n' "$line" "$k" "$line" "$line"; done >"$work/chunk"
cat "$work/chunk" "$work/chunk" "$work/chunk" >"$work/big5.txt"
"$convert" -t BigToGb <"$work/big5.txt" >"$work/whole"
parallel --will-cite --pipepart -a "$work/big5.txt" --block 1M -k -j 2 "'$convert' -t BigToGb" >"$work/split"
if ! cmp -s "$work/whole" "$work/split"; then
  echo "parallel.sh: the blocks converted side by side differ from the whole conversion" >&2
  cmp "$work/whole" "$work/split" >&2 || true
  exit 1
fi
echo "parallel.sh: $(stat -c %s "$work/big5.txt") bytes in 1 MiB blocks give the whole conversion's bytes"
