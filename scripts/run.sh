#!/usr/bin/env bash
# Builds Lumeno.exe and opens the sample house under Wine: on your X display when DISPLAY is set,
# otherwise on a private Xvfb, leaving a screenshot of the window and printing its path.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$LUMENO_ROOT"

lumeno_install_packages "${LUMENO_BUILD_PACKAGES[@]}" "${LUMENO_WINE_PACKAGES[@]}"
lumeno_build_windows --target Lumeno

prefix="$(lumeno_wine_prefix)"
"$LUMENO_ROOT/scripts/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exe="$LUMENO_BUILD/windows/bin/Lumeno.exe"
model="${1:-$LUMENO_ROOT/samples/house.skp}"
model_win="Z:${model//\//\\}"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe" "$model_win"
fi

lumeno_start_xvfb
trap lumeno_stop_xvfb EXIT
wine "$exe" "$model_win" &
viewer=$!
window=""
for i in $(seq 1 120); do
  window=$(xdotool search --name '^Lumeno' 2>/dev/null | head -n 1 || true)
  if [ -n "$window" ]; then break; fi
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "Lumeno did not open a window" >&2
  exit 1
fi
sleep 4  # let the model load and the first frames draw
shot="$LUMENO_BUILD/lumeno-screenshot.png"
import -window "$window" "$shot"
wine taskkill /im Lumeno.exe >/dev/null 2>&1 || true
wait "$viewer" || true
echo "Screenshot: $shot"
