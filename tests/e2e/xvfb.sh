#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Runs a command under a virtual X server of its own, and waits for the
# server to be gone before returning.
#
# Not xvfb-run -a: it picks the first display number without a lock file,
# and a server of the test before, still shutting down, can hold that
# number's socket for a moment: the program then reaches the dying server
# and fails to connect. Here the server chooses a number it could claim
# whole (-displayfd) and tells us which.
# Usage: xvfb.sh COMMAND [ARGS...]   (MARLO_XVFB_SCREEN=1280x1024 for another screen size)
set -euo pipefail

work=$(mktemp -d)
server=""
finish() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap finish EXIT

# -noreset: by default the server resets when its last client leaves, and
# refuses connections meanwhile; a probe that connects and leaves just
# before the program starts would make the program fail to connect.
Xvfb -displayfd 3 -screen 0 "${MARLO_XVFB_SCREEN:-1024x800}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/server.log" &
server=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "xvfb.sh: the virtual X server did not start:" >&2
  cat "$work/server.log" >&2
  exit 1
fi
export DISPLAY=":$(tr -d '\n' < "$work/display")"
status=0
"$@" || status=$?
exit "$status"
