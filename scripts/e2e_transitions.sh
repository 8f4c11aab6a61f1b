#!/usr/bin/env bash
# Skin transitions of the running program, sent from another process through
# the preview channel (skinsend) over a plain white desktop:
#   light -> dark -> off -> dark -> light -> a skin with missing sections -> light
# After every step the whole window (frame, shadow and client) is compared
# with that skin's reference within one level per channel: the light skin's
# is the program's own start, the others' the first time the step is shown.
# Off shows the system's frame with its caption and nothing of the skin
# around the form. Then the sequence runs 100 times more and the program's
# object counts must be as before, and every step again as its reference.
#
#   e2e_transitions.sh VELMORA.EXE E2E_PROBE.EXE PIXELS_PER_INCH [CYCLES]
#
# Display, Wine prefix and the shared helpers: scripts/e2e_common.sh.
set -uo pipefail
exe=$1
probe=$2
ppi=${3:-96}
cycles=${4:-100}
source "$(dirname "$0")/e2e_common.sh"
skinsend="$(dirname "$probe")/skinsend.exe"
send() { wine "$skinsend" "$@" 2>&1 | tr -d '\r'; }
handles() { wine "$probe" handles | tr -d '\r' | paste -sd' '; }
frame() { wine "$probe" frame | tr -d '\r' >"$work/frame"; }
fget() { sed -n "s/^$1=//p" "$work/frame"; }

light=$(winepath -w "$root/skins/VelmoraLight" 2>/dev/null)
dark=$(winepath -w "$root/skins/VelmoraDark" 2>/dev/null)
# The light skin without the sections of the field and the button: those
# controls fall back to the system's look while the rest stays skinned.
mkdir -p "$work/VelmoraPartial"
cp "$root/skins/VelmoraLight/"* "$work/VelmoraPartial/"
awk '/^\[/{drop = ($0 == "[EDIT]" || $0 == "[BUTTON]")} !drop' \
  "$root/skins/VelmoraLight/Options.dat" >"$work/VelmoraPartial/Options.dat"
partial=$(winepath -w "$work/VelmoraPartial" 2>/dev/null)

xdotool mousemove 5 5
wine "$probe" backdrop 600 &
backdrop=$!
also_on_exit 'kill $backdrop 2>/dev/null'
sleep 2

launch
sleep 1
frame
# Every screenshot covers what the skinned window shows at the start: the
# form with its border and shadow windows.
area=$(fget frame_shot)
started_window=$(fget frame_window)

# level_apart A B: the pixels of A.png and B.png that differ by more than one
# level in some channel.
level_apart() {
  /usr/bin/python3 - "$work/$1.png" "$work/$2.png" <<'PY'
import sys
from PIL import Image, ImageChops
a, b = (Image.open(p).convert("RGB") for p in sys.argv[1:3])
if a.size != b.size:
    print("size %dx%d against %dx%d" % (a.size + b.size))
    sys.exit()
d = ImageChops.difference(a, b).point(lambda v: 255 if v > 1 else 0)
r, g, bl = d.split()
print(sum(1 for v in ImageChops.lighter(ImageChops.lighter(r, g), bl).getdata() if v))
PY
}
# step NAME: the screenshot after a step, once the program has settled.
step() {
  sleep 1
  shot "$1" "$area"
}
# same_as NAME REFERENCE: check NAME against REFERENCE within one level.
same_as() { check "$1 equals $2 within one level per channel" 0 "$(level_apart "$1" "$2")"; }
# off_checks NAME: the system's frame around the form, nothing of the skin.
off_checks() {
  frame
  check "$1: the form has its system menu back" 1 "$(fget frame_sysmenu)"
  check "$1: no border or shadow window" none "$(fget frame_border)"
  check "$1: the form no longer names skin data" 0 "$(fget frame_acsdata)"
  local fx fy frame_w caption
  IFS=, read -r fx fy _ _ <<<"$(fget frame_client)"
  IFS=, read -r frame_w caption <<<"$(fget frame_metrics)"
  check "$1: the client lies below the system's caption" "$frame_w,$((frame_w + caption))" "$fx,$fy"
  check "$1: the form stays where it was" "$started_window" "$(fget frame_window)"
}

# The references.
step start
check "the dark skin is applied" "applied VelmoraDark" "$(send "$dark")"
step dark
check "the skin is switched off" "skin off" "$(send --off)"
step off
off_checks "off"
check "the dark skin is applied after the skin was off" "applied VelmoraDark" "$(send "$dark")"
step dark-again
same_as dark-again dark
frame
check "the frame is skinned again: no system menu" 0 "$(fget frame_sysmenu)"
check "the frame is skinned again: border and shadow windows" yes \
  "$([ "$(fget frame_border)" != none ] && echo yes || echo no)"
check "the frame is skinned again: the form names its skin data" 1 "$(fget frame_acsdata)"
check "the light skin is applied" "applied VelmoraLight" "$(send "$light")"
step light
same_as light start
check "the partial skin is applied" "applied VelmoraPartial" "$(send "$partial")"
step partial
check "the light skin is applied after the partial one" "applied VelmoraLight" "$(send "$light")"
step light-after-partial
same_as light-after-partial start

# Many cycles leave no objects behind and every step as before.
counts=$(handles)
check "$cycles cycles are applied" "applied VelmoraLight" \
  "$(send "$dark" --off "$dark" "$light" "$partial" "$light" --repeat "$cycles")"
step light-cycled
same_as light-cycled start
check "$cycles cycles leave the object counts as they were" "$counts" "$(handles)"
send "$dark" >/dev/null
step dark-cycled
same_as dark-cycled dark
send --off >/dev/null
step off-cycled
same_as off-cycled off
off_checks "off after the cycles"
send "$partial" >/dev/null
step partial-cycled
same_as partial-cycled partial
send "$light" >/dev/null
step light-last
same_as light-last start

to_form
xdotool key alt+F4
ended
kill $app 2>/dev/null
e2e_finish
