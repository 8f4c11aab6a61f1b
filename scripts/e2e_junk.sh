#!/usr/bin/env bash
# Skin commands from another process: WM_SKINCMD is a fixed number anyone on
# the desktop may send to any window of the program, with any LParam. The
# probe sends every command code with junk parameters and LParams to every
# window of the program, then posts them (e2e_probe junk); the program must
# answer each in
# time, raise no access violation (Wine, like 64-bit Windows, swallows those
# raised in a window procedure answering another process; only its exception
# log shows them), open no dialog, stay alive, and once the skin is applied
# again look exactly as it did at the start.
#
#   e2e_junk.sh VELMORA.EXE E2E_PROBE.EXE [PPI] [SEED]
#
# Display, Wine prefix and the checks' bookkeeping: scripts/e2e_common.sh.
set -uo pipefail
exe=$1
probe=$2
ppi=${3:-96}
seed=${4:-1}
source "$(dirname "$0")/e2e_common.sh"
skinsend="$(dirname "$probe")/skinsend.exe"
light=$(winepath -w "$root/skins/VelmoraLight" 2>/dev/null)

# The whole screen with the field's inside blacked out (its caret blinks).
screen_shot() {
  import -window root "$work/$1-raw.png"
  local x y w h
  IFS=, read -r x y w h <<<"$(get edit_screen)"
  convert "$work/$1-raw.png" -alpha off -fill black \
    -draw "rectangle $((x + 3)) $((y + 3)) $((x + w - 4)) $((y + h - 4))" "$work/$1.png"
}

xdotool mousemove 1279 1023
launch
sleep 2
state
screen_shot start

wine "$probe" junk "$seed" | tr -d '\r' >"$work/junk"
cat "$work/junk"
sleep 1
junk() { sed -n "s/^$1=//p" "$work/junk"; }
check "every command was answered in time" 0 "$(junk unanswered)"
check "the probe got through every command" 0 "$(junk stopped)"
check "the program opened no dialog" 0 "$(junk dialogs)"
check "the program is alive" 1 "$(junk alive)"
# The program's exception log is read by e2e_finish (witness_check).

check "the light skin is applied again" "applied VelmoraLight" \
  "$(wine "$skinsend" "$light" 2>&1 | tr -d '\r')"
sleep 2
state
screen_shot after
check "the window is as it was at the start" 0 \
  "$(compare -metric AE "$work/start.png" "$work/after.png" null: 2>&1)"

kill $app 2>/dev/null
wait $app 2>/dev/null
e2e_finish
