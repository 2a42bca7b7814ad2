#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The main window on a small screen at 150%: it starts inside the screen's
# room, and it can be made taller.
# Usage: resize.sh MARLO   (under a virtual X server: MARLO_XVFB_SCREEN=1280x1024 xvfb.sh)
# MARLO_E2E_SCREENSHOTS=folder keeps pictures of the window.
source "$(dirname "$0")/lib.sh"
marlo=$1
read -r screen_w screen_h < <(xdotool getdisplaygeometry)

QT_SCALE_FACTOR=1.5 start_marlo "$marlo"
geometry() { xdotool getwindowgeometry --shell "$window"; }
eval "$(geometry)"
echo "e2e-resize: ${WIDTH}x${HEIGHT} at ${X},${Y} on ${screen_w}x${screen_h}"
if [ "$X" -lt 0 ] || [ "$Y" -lt 0 ] || [ $((X + WIDTH)) -gt "$screen_w" ] ||
   [ $((Y + HEIGHT)) -gt "$screen_h" ]; then
  echo "e2e: the window does not fit the screen" >&2
  exit 1
fi
shot resize-start

# Shorter, then taller again: the window takes the sizes it is given.
xdotool windowsize "$window" "$WIDTH" $((HEIGHT - 120))
wait_until bash -c "xdotool getwindowgeometry --shell $window | grep -qx HEIGHT=$((HEIGHT - 120))" ||
  { echo "e2e: the window cannot be resized" >&2; geometry >&2; exit 1; }
shot resize-shorter
echo "e2e-resize: the window fits the screen at 150% and can be resized"
