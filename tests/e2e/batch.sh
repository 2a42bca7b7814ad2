#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Drives the real marlo under a virtual X server as a user would, with the
# keyboard: open a folder, add its two files, convert, and compare the
# written files with what marlo-convert writes for the same files.
# Usage: batch.sh MARLO MARLO_CONVERT   (under a virtual X server: xvfb.sh or xvfb-run -a)
# MARLO_E2E_SCREENSHOTS=folder keeps pictures of the window.
source "$(dirname "$0")/lib.sh"
marlo=$1 convert=$2

mkdir -p "$work/home/src"
printf '\xd5\xe2\xca\xc7 GB2312 \xce\xc4\xb1\xbe\r\n' >"$work/home/src/a.txt"  # 这是 GB2312 文本
printf 'plain ASCII\n\xd6\xd0\xce\xc4' >"$work/home/src/b.txt"                 # 中文

start_marlo "$marlo"
focus "$window"
key Down Return          # the folder list starts at home: open its subfolder src
key Tab Home shift+End   # into the file list, select every file
key Return               # add them, as a double click does
key F5                   # 開始轉換

converted() { [ -f "$work/home/src/GbToBig/a.txt" ] && [ -f "$work/home/src/GbToBig/b.txt" ]; }
wait_until converted || { echo "e2e: no converted files in src/GbToBig" >&2; ls -R "$work/home" >&2; exit 1; }

"$convert" -t GbToBig -o "$work/expected" "$work/home/src/a.txt" "$work/home/src/b.txt" >/dev/null
cmp "$work/expected/a.txt" "$work/home/src/GbToBig/a.txt"
cmp "$work/expected/b.txt" "$work/home/src/GbToBig/b.txt"

key shift+Tab Return Tab Home shift+End Return  # list the files again, beside the results
shot batch
echo "e2e-batch: the window wrote the same bytes as marlo-convert"
