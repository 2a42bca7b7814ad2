# SPDX-License-Identifier: Apache-2.0
# Shared by the end-to-end scripts: a scratch home, the real marlo started
# in it under the current (virtual) display, and keys typed into it.
set -euo pipefail

work=$(mktemp -d)
pid=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config/Marlo" "$work/data"

# Starts marlo and waits for its main window; sets $window.
start_marlo() {
  HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
    MARLO_INSTANCE_NAME=marlo-e2e-$$ "$1" &
  pid=$!
  window=$(wait_for_window '^Marlo$')
}

# The id of the first visible window whose title matches, within 10 s.
wait_for_window() {
  local found=""
  for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || { echo "e2e: no window titled $1 appeared" >&2; exit 1; }
  sleep 0.5
  echo "$found"
}

focus() { xdotool windowfocus --sync "$1"; }
key() { xdotool key --delay 80 "$@"; sleep 0.3; }

# Waits up to 10 s for a command to succeed.
wait_until() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

shot() { if [ -n "${MARLO_E2E_SCREENSHOTS:-}" ]; then import -window root "$MARLO_E2E_SCREENSHOTS/$1.png"; fi; }
