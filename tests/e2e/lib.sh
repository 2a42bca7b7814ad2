# SPDX-License-Identifier: Apache-2.0
# Shared by the end-to-end scripts: a scratch home, the real marlo started
# in it under the current (virtual) display, and keys typed into it.
set -euo pipefail

work=$(mktemp -d)
pid=""
# The program is killed outright and waited for: ended politely it would
# still be saving its settings into the folder being removed.
trap 'if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config/Marlo" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"  # the program's socket goes here, and with it

# Every wait is for a condition, with a deadline generous enough for a busy
# machine: a test fails by a fault, never by a slow moment.
deadline=${MARLO_E2E_DEADLINE:-60}

# Waits for a command to succeed, up to the deadline.
wait_until() {
  local end=$((SECONDS + deadline))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# The scratch home's settings, for env: env runs the program in its own
# place, so that a background start's $! is the program's pid.
home_env=(HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
  XDG_RUNTIME_DIR="$work/runtime" MARLO_INSTANCE_NAME="marlo-e2e-$$")

# Starts marlo (with the arguments after it) once the X server answers,
# and waits for its main window; sets $window.
start_marlo() {
  wait_until xdotool getdisplaygeometry >/dev/null 2>&1 ||
    { echo "e2e: the X server does not answer" >&2; exit 1; }
  env "${home_env[@]}" "$@" &
  pid=$!
  window=$(wait_for_window '^Marlo$')
}

# The id of the first visible window whose title matches.
wait_for_window() {
  local found=""
  find_window() { found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$found" ]; }
  wait_until find_window "$1" || { echo "e2e: no window titled $1 appeared" >&2; exit 1; }
  echo "$found"
}

# Keys go into the X server's queue and reach the program in order, after
# whatever it is still doing: no pause is needed between them.
focus() { xdotool windowfocus --sync "$1"; }
key() { xdotool key --delay 50 "$@"; }

# A picture of the screen once the program has drawn what the keys did.
shot() {
  [ -n "${MARLO_E2E_SCREENSHOTS:-}" ] || return 0
  sleep 1
  import -window root "$MARLO_E2E_SCREENSHOTS/$1.png"
}
