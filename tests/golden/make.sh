#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Makes the golden outputs: the two texts (traditional.txt, simplified.txt,
# UTF-8) in each source code, by glibc's iconv or, for the program's own
# Unicode form, by its definition; then each of the fourteen types (and the
# three that take phrases, with --phrases) over the input it reads, by
# marlo-convert. manifest.txt names them for the test. Run it after a
# change of the tables and read the diff: every changed character shows.
# Usage: tests/golden/make.sh path/to/marlo-convert
set -euo pipefail
convert=$1
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
mkdir -p input output
iconv -f UTF-8 -t CP950 traditional.txt >input/big5.txt
iconv -f UTF-8 -t GB2312 simplified.txt >input/gb2312.txt
cat traditional.txt simplified.txt | iconv -f UTF-8 -t CP936 >input/gbk.txt
# The Unicode form: a character U+0001..U+007E is its byte, any other two
# bytes, high byte first.
cat traditional.txt simplified.txt | python3 -c '
import sys
out = bytearray()
for c in sys.stdin.buffer.read().decode("utf-8"):
    code = ord(c)
    out += bytes([code]) if 0 < code < 0x7F else code.to_bytes(2, "big")
sys.stdout.buffer.write(out)' >input/ucs.txt

: >manifest.txt
while read -r type input; do
  "$convert" -t "$type" <"input/$input" >"output/$type.txt"
  echo "$type $input output/$type.txt" >>manifest.txt
  case $type in GbToBig | BigToGb | GbToBigToGbk)
    "$convert" -t "$type" --phrases <"input/$input" >"output/$type-phrases.txt"
    echo "$type $input output/$type-phrases.txt --phrases" >>manifest.txt ;;
  esac
done <<'TYPES'
GbToBig gb2312.txt
BigToGb big5.txt
GbkToBig gbk.txt
BigToGbk big5.txt
UscToBig ucs.txt
BigToUsc big5.txt
GbkToUsc gbk.txt
UscToGbk ucs.txt
GbkToUscWide gbk.txt
UscToGbkNarrow ucs.txt
UscToBigNarrow ucs.txt
BigToUscWide big5.txt
BigToCNS big5.txt
GbToBigToGbk gb2312.txt
TYPES
