#!/usr/bin/env bash
# Checks the main window's skinned frame under Wine from outside: a burst of
# screenshots from the program's start in which the frame is only ever absent
# or skinned, never the system's own; then, through e2e_probe (another
# process), the frame's facts (ACSDATA, no WS_SYSMENU), its region row by row
# against the skin tool's, hit tests sent across processes, and its pixels on
# the screen against the skin tool's render of the frame, active and while
# another window holds the activation.
#
#   e2e_frame.sh VELMORA.EXE E2E_PROBE.EXE PIXELS_PER_INCH
#
# Display, Wine prefix and the checks' bookkeeping: scripts/e2e_common.sh.
set -uo pipefail
exe=$1
probe=$2
ppi=${3:-96}
source "$(dirname "$0")/e2e_common.sh"
probe() { wine "$probe" "$@" | tr -d '\r'; }
skintool="$root/build/host/tools/skintool/skintool"
skin="$(dirname "$exe")/VelmoraLight.asz"

# The burst: the screen as often as it can be taken while the program starts.
wine "$exe" &
app=$!
mkdir -p "$work/burst"
burst_end=$((SECONDS + 4))
n=0
while [ $SECONDS -lt $burst_end ]; do
  import -window root "$work/burst/$(printf %03d $n).png" 2>/dev/null
  n=$((n + 1))
done
if ! wine "$probe" wait 60; then
  echo "FAIL the window did not appear"
  kill $app 2>/dev/null
  exit 1
fi
sleep 1

probe frame >"$work/frame"
get() { sed -n "s/^$1=//p" "$work/frame"; }
check "the frame names its skin data (ACSDATA)" 1 "$(get frame_acsdata)"
check "the skinned frame took WS_SYSMENU off" 0 "$(get frame_sysmenu)"
check "the window has a complex region" 3 "$(get frame_region)"
size=$(get frame_size)
w=${size%x*}
h=${size#*x}
client=$(get frame_client)
IFS=, read -r f c <<<"$(get frame_metrics)"
read -r wx wy <<<"$(xwininfo -root -tree | sed -n "s/.*\"Velmora — .*\": (.*)  ${w}x${h}+\(-\{0,1\}[0-9]*\)+\(-\{0,1\}[0-9]*\).*/\1 \2/p" | head -1)"

# The skin tool's frame at the window's size and metrics; the caption text
# (another font there) and the icon are left out by the mask.
render() {  # render NAME ACTIVE
  "$skintool" render "$skin" frame "$work/$1.png" --size "${w}x${h}" --frame "$f" \
    --caption-height "$c" --client "$client" --active "$2" --ppi "$ppi" >/dev/null
}
render active 1
render inactive 0
probe region >"$work/region.txt"
check "the region is the border image's, row by row" "" \
  "$(diff "$work/active-region.txt" "$work/region.txt" | head -3)"

# Hit tests from another process, at points taken from the live metrics.
hit() { probe hit "$1" "$2" | sed -n 's/^hit=//p'; }
check "the close button answers HTCLOSE" 20 "$(hit $((w - (f > 4 ? f : 4) - 2)) $((c / 2 + f / 2)))"
check "the caption answers HTCAPTION" 2 "$(hit $((w / 2)) $((f + c / 2)))"
check "the icon answers HTSYSMENU" 3 "$(hit $((f + 8)) $((c / 2 + f / 2)))"
check "the left border answers HTBORDER" 18 "$(hit 0 $((h / 2)))"
check "the client area answers HTCLIENT" 1 "$(hit $((w / 2)) $((h - f - 4)))"

# differs SHOT RENDER: pixels of the window's crop of SHOT that differ from
# RENDER where the mask compares them.
differs() {
  convert "$1" -crop "${w}x${h}+${wx}+${wy}" +repage -alpha off \
    "$work/active-mask.png" -compose multiply -composite "$work/shot-masked.png"
  convert "$2" -alpha off "$work/active-mask.png" -compose multiply -composite \
    "$work/render-masked.png"
  compare -metric AE "$work/shot-masked.png" "$work/render-masked.png" null: 2>&1
}
# colours SHOT: distinct colours of the window's crop of SHOT where compared.
colours() {
  convert "$1" -crop "${w}x${h}+${wx}+${wy}" +repage -alpha off "$work/active-mask.png" \
    -compose multiply -composite -format %k info:
}

import -window root "$work/now.png"
check "the frame on the screen is the active render" 0 "$(differs "$work/now.png" "$work/active.png")"
probe activate 4 &
activator=$!
sleep 2
import -window root "$work/away.png"
check "with another window active the frame is the inactive render" 0 \
  "$(differs "$work/away.png" "$work/inactive.png")"
check "the inactive frame differs from the active one" yes \
  "$([ "$(differs "$work/away.png" "$work/active.png")" -gt 0 ] && echo yes || echo no)"
wait $activator

# Every screenshot of the burst shows the frame absent (one colour where the
# frame goes) or skinned (the active or the inactive render), never another.
shown=0
others=0
for shot in "$work"/burst/*.png; do
  [ "$(colours "$shot")" -le 2 ] && continue
  if [ "$(differs "$shot" "$work/active.png")" = 0 ] || [ "$(differs "$shot" "$work/inactive.png")" = 0 ]; then
    shown=$((shown + 1))
  else
    others=$((others + 1))
    cp "$shot" "$work/unskinned-$(basename "$shot")"
  fi
done
check "the burst caught the window at least once" yes "$([ $((shown + others)) -gt 0 ] && echo yes || echo no)"
check "no screenshot of the start shows another frame than the skinned one" 0 "$others"

# The program's own message box (a malformed skin sent from another process
# is refused with one) is framed by the skin and closes from its skinned
# close button, clicked with the real mouse.
skinsend="$(dirname "$probe")/skinsend.exe"
mkdir -p "$work/Broken"
printf '[GLOBALINFO]\r\nVERSION=15.00\r\nBTNCOLOR1ACTIVE=green\r\n' >"$work/Broken/Options.dat"
wine "$skinsend" "$(winepath -w "$work/Broken")" >/dev/null 2>&1 &
sender=$!
for _ in $(seq 50); do probe dialog >"$work/dialog" && break; sleep 0.2; done
dget() { sed -n "s/^$1=//p" "$work/dialog"; }
check "the message box names its skin data (ACSDATA)" 1 "$(dget dialog_acsdata)"
check "the message box's skinned frame took WS_SYSMENU off" 0 "$(dget dialog_sysmenu)"
close=$(dget dialog_close)
check "the message box has a skinned close button" yes "$([ -n "$close" ] && echo yes || echo no)"
[ -n "$close" ] && xdotool mousemove ${close/,/ } click 1
closed=no
for _ in $(seq 50); do
  if ! kill -0 $sender 2>/dev/null; then
    closed=yes
    break
  fi
  sleep 0.1
done
check "clicking the close button closes the message box" yes "$closed"
[ $closed = no ] && xdotool key Return
wait $sender 2>/dev/null

kill $app 2>/dev/null
wait $app 2>/dev/null
e2e_finish
