#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the peer-comparison corpus (not committed) from Debian's Chinese man
# pages (package manpages-zh): the zh_TW pages in Big5 (code page 950) and the
# zh_CN pages in GBK (code page 936) and GB2312, each repeated to 64 MiB.
# Characters the target code set lacks are dropped by iconv -c.
#
#   bench/compare/make-corpus.sh [OUT_DIR]     default: build/corpus
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$top/build/corpus}
size=$((64 << 20))
mkdir -p "$out"

[ -d /usr/share/man/zh_TW ] || { echo "make-corpus.sh: install manpages-zh first" >&2; exit 1; }

# Concatenates the pages of one language into FILE, converted to CODESET,
# then repeats the text until it reaches the corpus size.
make_one() {
  local language=$1 codeset=$2 file=$3
  find "/usr/share/man/$language" -name '*.gz' -print0 | sort -z |
    xargs -0 zcat | iconv -c -f UTF-8 -t "$codeset" > "$out/$file.once"
  : > "$out/$file"
  while [ "$(stat -c %s "$out/$file")" -lt "$size" ]; do cat "$out/$file.once" >> "$out/$file"; done
  truncate -s "$size" "$out/$file"
  rm "$out/$file.once"
}

make_one zh_TW CP950 big5.txt
make_one zh_CN CP936 gbk.txt
make_one zh_CN GB2312 gb2312.txt

# Han-dense: the same pages with everything but the characters from U+3000
# on (and line ends) taken out, 16 MiB, cut at a line end; where phrases
# are looked up most.
make_dense() {
  python3 - "$out/$2" "$1" "$out/$3" <<'PY'
import sys
source, codec, target = sys.argv[1], sys.argv[2], sys.argv[3]
text = open(source, "rb").read(8 << 20).decode(codec, errors="ignore")
dense = "".join(c for c in text if c == "\n" or ord(c) >= 0x3000).encode(codec, errors="ignore")
whole = (dense * ((16 << 20) // len(dense) + 1))[: 16 << 20]
open(target, "wb").write(whole[: whole.rfind(b"\n") + 1])
PY
}
make_dense cp950 big5.txt han-big5.txt
make_dense gb2312 gb2312.txt han-gb2312.txt
ls -l "$out"
