#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine.
#   With DISPLAY set, the window opens there and the script waits for it to close.
#   Without DISPLAY, it runs in a private virtual display, saves a screenshot of
#   the live window, prints its path and exits after a few seconds; --keep keeps
#   it running until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
keep=0
[ "${1:-}" = "--keep" ] && keep=1

bash scripts/deps.sh
bash scripts/build.sh host --target skintool dfmtool
bash scripts/build.sh win --target Velmora
exe="$root/build/win/app/Velmora.exe"

source scripts/winenv.sh
trap winenv_stop EXIT

if [ -n "${DISPLAY:-}" ]; then
  winenv_prefix "$root/build/win"
  wine "$exe"
  exit 0
fi

winenv_start "$root/build/win"
wine "$exe" &
app=$!
sleep 4
mkdir -p build/screenshots
shot="$root/build/screenshots/run-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
echo "Screenshot: $shot"
if [ $keep -eq 1 ]; then
  echo "Running on DISPLAY=$DISPLAY; Ctrl+C ends it."
  wait $app || true
else
  sleep 2
fi
