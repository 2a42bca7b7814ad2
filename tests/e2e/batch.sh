#!/usr/bin/env bash
# Drives the real marlo under a virtual X server as a user would, with the
# keyboard: open a folder, add its two files, convert, and compare the
# written files with what marlo-convert writes for the same files.
# Usage: batch.sh MARLO MARLO_CONVERT   (run it under xvfb-run -a)
# MARLO_E2E_SCREENSHOT=file.png also keeps a picture of the window.
set -euo pipefail
marlo=$1 convert=$2

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/home/src" "$work/config"
printf '\xd5\xe2\xca\xc7 GB2312 \xce\xc4\xb1\xbe\r\n' >"$work/home/src/a.txt"  # 这是 GB2312 文本
printf 'plain ASCII\n\xd6\xd0\xce\xc4' >"$work/home/src/b.txt"                 # 中文

HOME=$work/home XDG_CONFIG_HOME=$work/config MARLO_INSTANCE_NAME=marlo-e2e-$$ "$marlo" &
pid=$!

window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Marlo$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "e2e: the main window did not appear" >&2; exit 1; }
sleep 0.5
xdotool windowfocus --sync "$window"

key() { xdotool key --delay 80 "$@"; sleep 0.3; }
key Down Return          # the folder list starts at home: open its subfolder src
key Tab Home shift+End   # into the file list, select every file
key Return               # add them, as a double click does
key F5                   # 開始轉換

for _ in $(seq 100); do
  [ -f "$work/home/src/GbToBig/a.txt" ] && [ -f "$work/home/src/GbToBig/b.txt" ] && break
  sleep 0.1
done
[ -f "$work/home/src/GbToBig/b.txt" ] || { echo "e2e: no converted files in src/GbToBig" >&2; ls -R "$work/home" >&2; exit 1; }

"$convert" -t GbToBig -o "$work/expected" "$work/home/src/a.txt" "$work/home/src/b.txt" >/dev/null
cmp "$work/expected/a.txt" "$work/home/src/GbToBig/a.txt"
cmp "$work/expected/b.txt" "$work/home/src/GbToBig/b.txt"

if [ -n "${MARLO_E2E_SCREENSHOT:-}" ]; then
  key shift+Tab Return Tab Home shift+End Return  # list the files again, beside the results
  import -window root "$MARLO_E2E_SCREENSHOT"
fi
echo "e2e-batch: the window wrote the same bytes as marlo-convert"
