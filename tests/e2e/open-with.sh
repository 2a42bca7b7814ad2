#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# "Open with" from a file manager: marlo started with a file and a folder
# lists them; a second start with more files hands them to the running
# window, which lists them too, and ends. One window then converts them
# all, a GBK-named file included, as marlo-convert does.
# Usage: open-with.sh MARLO MARLO_CONVERT   (under a virtual X server)
source "$(dirname "$0")/lib.sh"
marlo=$1 convert=$2

mkdir -p "$work/home/docs/b" "$work/home/other"
printf '\xd5\xe2\xca\xc7 GB2312 \xce\xc4\xb1\xbe\n' >"$work/home/docs/a.txt"  # 这是 GB2312 文本
printf '\xd6\xd0\xce\xc4\n' >"$work/home/docs/b/x.txt"                       # 中文
printf '\xbc\xf2\xcc\xe5\n' >"$work/home/other/c.txt"                         # 简体
legacy=$(printf '\xbc\xf2\xcc\xe5.txt')                                        # 简体.txt in GBK
printf '\xce\xc4\xbc\xfe\n' >"$work/home/other/$legacy"                       # 文件 (bytes that are no UTF-8 too)

# Relative names, as a shell gives them: each start's own folder counts.
cd "$work/home/docs"
start_marlo "$marlo" a.txt b/
cd "$work/home/other"
status=0
env "${home_env[@]}" timeout "$deadline" "$marlo" c.txt "$legacy" "$work/home/missing.txt" || status=$?
[ "$status" -eq 0 ] || { echo "e2e: the second start ended with status $status" >&2; exit 1; }
kill -0 "$pid" || { echo "e2e: the first window is gone" >&2; exit 1; }
windows=$(xdotool search --onlyvisible --name '^Marlo$' | wc -l)
[ "$windows" -eq 1 ] || { echo "e2e: $windows main windows, not one" >&2; exit 1; }
shot open-with

focus "$window"
key F5  # 開始轉換: every listed file, into the start folder's GbToBig
out=$work/home/GbToBig
all_there() { [ -f "$out/a.txt" ] && [ -f "$out/x.txt" ] && [ -f "$out/c.txt" ] && [ -f "$out/$legacy" ]; }
wait_until all_there || { echo "e2e: not every named file was converted" >&2; ls -R "$work/home" >&2; exit 1; }
"$convert" -t GbToBig -o "$work/expected" "$work/home/docs/a.txt" "$work/home/docs/b/x.txt" \
  "$work/home/other/c.txt" "$work/home/other/$legacy" >/dev/null
for name in a.txt x.txt c.txt "$legacy"; do cmp "$work/expected/$name" "$out/$name" || { xxd "$work/expected/$name"; xxd "$out/$name"; exit 1; }; done
count=$(find "$out" -type f | wc -l)
[ "$count" -eq 4 ] || { echo "e2e: $count files converted, not 4" >&2; exit 1; }
echo "e2e-open-with: both starts' files, the GBK-named one too, listed in one window and converted"
