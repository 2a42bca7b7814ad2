#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Drives the real marlo under a virtual X server as a user would, with the
# keyboard: open a folder, add its files (one named in GBK bytes, as from a
# Chinese Windows archive), convert, and compare the written files with what
# marlo-convert writes for the same files. Then ends it with SIGTERM, which
# must close it as the user would, saving the settings.
# Usage: batch.sh MARLO MARLO_CONVERT   (under a virtual X server: xvfb.sh or xvfb-run -a)
# MARLO_E2E_SCREENSHOTS=folder keeps pictures of the window.
source "$(dirname "$0")/lib.sh"
marlo=$1 convert=$2

mkdir -p "$work/home/src"
printf '\xd5\xe2\xca\xc7 GB2312 \xce\xc4\xb1\xbe\r\n' >"$work/home/src/a.txt"  # 这是 GB2312 文本
printf 'plain ASCII\n\xd6\xd0\xce\xc4' >"$work/home/src/b.txt"                 # 中文
legacy=$(printf '\xbc\xf2\xcc\xe5.txt')                                          # 简体.txt in GBK
printf '\xbc\xf2\xcc\xe5\r\n' >"$work/home/src/$legacy"
# UTF-8 that mixes characters GB2312 lacks (這, 體) with simplified ones.
printf '這是繁體字,电脑软件\n' >"$work/home/src/c.txt"

start_marlo "$marlo"
focus "$window"
key Down Return          # the folder list starts at home: open its subfolder src
key Tab Home shift+End   # into the file list, select every file
key Return               # add them, as a double click does
key F5                   # 開始轉換

converted() {
  [ -f "$work/home/src/GbToBig/a.txt" ] && [ -f "$work/home/src/GbToBig/b.txt" ] &&
    [ -f "$work/home/src/GbToBig/$legacy" ]
}
wait_until converted || { echo "e2e: no converted files in src/GbToBig" >&2; ls -R "$work/home" >&2; exit 1; }

"$convert" -t GbToBig -o "$work/expected" "$work/home/src/a.txt" "$work/home/src/b.txt" \
  "$work/home/src/$legacy" >/dev/null
for name in a.txt b.txt "$legacy"; do cmp "$work/expected/$name" "$work/home/src/GbToBig/$name"; done
# The UTF-8 file, found by the default "自動識別 UTF-8 源文件", against
# glibc's Big5: what GB2312 lacks became the ideographic space.
wait_until test -f "$work/home/src/GbToBig/c.txt" || { echo "e2e: c.txt not converted" >&2; exit 1; }
printf '\xe3\x80\x80是繁\xe3\x80\x80字,電腦軟件\n' | iconv -f UTF-8 -t CP950 >"$work/expected-c.txt"
cmp "$work/expected-c.txt" "$work/home/src/GbToBig/c.txt" ||
  { echo "e2e: the UTF-8 file through GbToBig is not what glibc's Big5 gives" >&2; exit 1; }

key shift+Tab Return Tab Home shift+End Return  # list the files again, beside the results
shot batch

kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || { echo "e2e: SIGTERM ended marlo with status $status" >&2; exit 1; }
grep -q '^HandleExistFile=' "$work/config/Marlo/Marlo.conf" ||
  { echo "e2e: SIGTERM ended marlo without saving its settings" >&2; exit 1; }

# Today's files: a traditional UTF-8 file through "Big5 -->> GB" with
# "輸出為 UTF-8" ticked (kept from the last time) and UTF-8 found, as
# marlo-convert -t BigToGb --from-utf8 --to-utf8 writes it.
mkdir -p "$work/home/tw"
printf '這是繁體中文的 UTF-8 文件。\n軟體與硬體\n' >"$work/home/tw/utf8.txt"
sed -i 's/^OutputUtf8=.*/OutputUtf8=1/' "$work/config/Marlo/Marlo.conf"
start_marlo "$marlo"
focus "$window"
key Down Down Return      # open tw, after src
key Tab Home shift+End Return
key Tab Tab Tab Tab Tab   # past the type filter and the subfolder box to the selected-files list
key Tab Down              # to the checked conversion type, and on to "Big5 -->> GB"
key F5
wait_until test -f "$work/home/tw/BigToGb/utf8.txt" ||
  { echo "e2e: no converted file in tw/BigToGb" >&2; ls -R "$work/home/tw" >&2; exit 1; }
"$convert" -t BigToGb --from-utf8 --to-utf8 <"$work/home/tw/utf8.txt" >"$work/expected-utf8.txt"
wait_until cmp -s "$work/expected-utf8.txt" "$work/home/tw/BigToGb/utf8.txt" ||
  { echo "e2e: the UTF-8 output differs from marlo-convert's" >&2; exit 1; }
kill -TERM "$pid"
wait "$pid" || true
pid=""

# "按詞語轉換" ticked on a GB2312 file of a megabyte: the window matches
# a file's phrases on two threads where two processors are free, and must
# write what marlo-convert writes on one processor, on one thread.
mkdir -p "$work/home/big"
for _ in $(seq 1400); do cat "$(dirname "$0")/../golden/input/gb2312.txt"; done >"$work/home/big/gb.txt"
sed -i -e 's/^OutputUtf8=.*/OutputUtf8=0/' -e 's/^ConvertPhrases=.*/ConvertPhrases=1/' \
  "$work/config/Marlo/Marlo.conf"
grep -q '^ConvertPhrases=1' "$work/config/Marlo/Marlo.conf" ||
  { echo "e2e: the settings hold no ConvertPhrases to tick" >&2; exit 1; }
start_marlo "$marlo"
focus "$window"
key Down Return           # open big, the first folder
key Tab Home shift+End Return
key F5                    # each start offers "GB -->> Big5"
wait_until test -f "$work/home/big/GbToBig/gb.txt" ||
  { echo "e2e: no converted file in big/GbToBig" >&2; ls -R "$work/home/big" >&2; exit 1; }
taskset -c 0 "$convert" -t GbToBig --phrases -o "$work/expected-big" "$work/home/big/gb.txt" >/dev/null
wait_until cmp -s "$work/expected-big/gb.txt" "$work/home/big/GbToBig/gb.txt" ||
  { echo "e2e: the window's phrases differ from marlo-convert's" >&2; exit 1; }
shot batch-phrases
kill -TERM "$pid"
wait "$pid" || true
pid=""
echo "e2e-batch: the window wrote the same bytes as marlo-convert, also UTF-8 and by phrases, and closed on SIGTERM"
