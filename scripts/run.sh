#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine.
#   With DISPLAY set, the window opens there and the script waits for it to close.
#   Without DISPLAY, it runs in a private virtual display over a white desktop,
#   saves a screenshot of the screen and one of the window with its frame and
#   shadow, prints their paths and exits after a few seconds; --keep keeps it
#   running until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
keep=0
[ "${1:-}" = "--keep" ] && keep=1

bash scripts/deps.sh
bash scripts/build.sh host --target skintool dfmtool
bash scripts/build.sh win --target Velmora e2e_probe
exe="$root/build/win/app/Velmora.exe"
probe="$root/build/win/tools/e2e_probe.exe"

source scripts/winenv.sh
trap winenv_stop EXIT

if [ -n "${DISPLAY:-}" ]; then
  winenv_prefix "$root/build/win"
  wine "$exe"
  exit 0
fi

winenv_start "$root/build/win"
# A white window under the program (e2e_probe backdrop), so the shadow shows.
wine "$probe" backdrop 86400 &
backdrop=$!
trap 'kill $backdrop 2>/dev/null; winenv_stop' EXIT
sleep 1
wine "$exe" &
app=$!
wine "$probe" wait 60
sleep 1
mkdir -p build/screenshots
shot="$root/build/screenshots/run-$(date +%Y%m%d-%H%M%S)"
import -window root "$shot.png"
# The window with its frame and shadow, where the probe finds them.
IFS=, read -r x y w h <<<"$(wine "$probe" frame | tr -d '\r' | sed -n 's/^frame_shot=//p')"
convert "$shot.png" -crop "${w}x${h}+${x}+${y}" +repage "$shot-window.png"
echo "Screenshot: $shot.png"
echo "Window with its shadow: $shot-window.png"
if [ $keep -eq 1 ]; then
  echo "Running on DISPLAY=$DISPLAY; Ctrl+C ends it."
  wait $app || true
else
  sleep 2
fi
