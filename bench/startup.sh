#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Start-up of the program: process start to the main window painted, under a
# virtual X display (Xvfb), median of 20 starts by hyperfine; then the
# resident memory and the CPU time of a window left idle for 10 seconds.
#
# Needs: hyperfine, xvfb (xvfb-run). Run from a release build:
#   bench/startup.sh [path/to/marlo]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$top/build/release/mainwindow/marlo}
if [ ! -x "$exe" ]; then
  cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLO_BUILD_TESTS=OFF >/dev/null
  cmake --build "$top/build/release" --target marlo >/dev/null
fi
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  export XDG_CONFIG_HOME='"$config"' MARLO_INSTANCE_NAME=marlo-startup-bench
  hyperfine --warmup 3 --runs 20 --style basic "MARLO_QUIT_WHEN_SHOWN=1 '"$exe"'"
  '"$exe"' & pid=$!
  sleep 3
  echo "resident memory after start-up: $(grep VmRSS /proc/$pid/status)"
  ticks() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
  before=$(ticks); sleep 10; after=$(ticks)
  echo "CPU time while idle for 10 s: $((after - before)) clock ticks ($(getconf CLK_TCK) per second)"
  kill $pid
'
