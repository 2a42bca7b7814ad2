#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The main window on a small screen at a scale (MARLO_E2E_SCALE, 1.5 unless
# told): it starts inside the screen's room, and it can be made shorter.
# Usage: resize.sh MARLO   (under a virtual X server: MARLO_XVFB_SCREEN=1280x1024 xvfb.sh)
# MARLO_E2E_SCREENSHOTS=folder keeps pictures of the window.
source "$(dirname "$0")/lib.sh"
marlo=$1
read -r screen_w screen_h < <(xdotool getdisplaygeometry)

scale=${MARLO_E2E_SCALE:-1.5}
QT_SCALE_FACTOR=$scale start_marlo "$marlo"
geometry() { xdotool getwindowgeometry --shell "$window"; }
eval "$(geometry)"
echo "e2e-resize: ${WIDTH}x${HEIGHT} at ${X},${Y} on ${screen_w}x${screen_h} at ${scale}"
if [ "$X" -lt 0 ] || [ "$Y" -lt 0 ] || [ $((X + WIDTH)) -gt "$screen_w" ] ||
   [ $((Y + HEIGHT)) -gt "$screen_h" ]; then
  echo "e2e: the window does not fit the screen" >&2
  exit 1
fi
shot "resize-${screen_w}x${screen_h}-${scale}"

# Shorter: the window takes the size it is given, where it has room.
shorter=$((HEIGHT - 40))
xdotool windowsize "$window" "$WIDTH" "$shorter"
wait_until bash -c "xdotool getwindowgeometry --shell $window | grep -qx HEIGHT=$shorter" ||
  { echo "e2e: the window cannot be made shorter" >&2; geometry >&2; exit 1; }
echo "e2e-resize: the window fits the screen at ${scale} and can be resized"
