#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Drives the real marlo under a virtual X server: choose "Big5 -->> GB",
# put traditional text on the clipboard, press "剪貼板" (Ctrl+Shift+V), and
# check that the clipboard then holds what marlo-convert makes of the same
# text's Big5 form. Then previews a Big5 file and, when asked, keeps a
# picture of each of the clipboard window's three tabs.
# Usage: clipboard.sh MARLO MARLO_CONVERT   (under a virtual X server: xvfb.sh or xvfb-run -a)
source "$(dirname "$0")/lib.sh"
marlo=$1 convert=$2

text='這是繁體中文，轉換後變成簡體。'
expected=$(printf '%s' "$text" | iconv -f UTF-8 -t BIG5 | "$convert" -t BigToGb | iconv -f GBK -t UTF-8)
# 伕 (A5ED) is a character GB2312 lacks: the preview's title says so.
printf '\xb3\x6f\xac\x4f\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5\xa5\xed <Big5> & text\r\n' >"$work/home/big5.txt"
printf '[Configs]\nIsReturnbyte=1\n' >"$work/config/Marlo/Marlo.conf"

start_marlo "$marlo"
focus "$window"
key Tab Home Return  # into the file list: add big5.txt
key Tab Tab Tab Tab Tab  # past the type filter and the subfolder box to the selected-files list
key Tab Down         # to the checked conversion type, and on to "Big5 -->> GB"

# Preview the listed file: the clipboard window shows it three ways.
key shift+Tab Home Return
clip=$(wait_for_window 'big5\.txt\(BigToGb\): 1 ')
if [ -n "${MARLO_E2E_SCREENSHOTS:-}" ]; then
  focus "$clip"
  shot clipboard-text
  key ctrl+Tab
  shot clipboard-page
  key ctrl+Tab
  shot clipboard-bytes
fi

printf '%s' "$text" | xclip -selection clipboard
focus "$window"
key ctrl+shift+v
converted() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$expected" ]; }
if ! wait_until converted; then
  echo "e2e: the clipboard holds '$(xclip -o -selection clipboard)', not '$expected'" >&2
  exit 1
fi
echo "e2e-clipboard: the clipboard came back as $expected"
