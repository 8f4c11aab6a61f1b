#!/usr/bin/env bash
# The skin switched off from another process (skinsend --off) while code of
# the window's frame is still running in the program: once with the window
# menu open (Alt+Space, then Esc), once with the caption held in the
# system's move loop. The program runs under Wine's exception log and heap
# checking (start_app in scripts/e2e_common.sh), so a use of a freed object
# that raises an access violation shows there, even where the message
# dispatch swallows it. Each case checks that the frame is the system's at
# once, that the program lives on and that its log has no fault.
#
#   e2e_lifetimes.sh VELMORA.EXE E2E_PROBE.EXE [PIXELS_PER_INCH]
set -uo pipefail
exe=$1
probe=$2
ppi=${3:-96}
source "$(dirname "$0")/e2e_common.sh"
skinsend="$(dirname "$probe")/skinsend.exe"

frame() { wine "$probe" frame | tr -d '\r' >"$work/frame"; }
fget() { sed -n "s/^$1=//p" "$work/frame"; }
# The faults in the exception log of the program started last.
violations() {
  local log="$work/witness-$app_runs.log"
  if [ -f "$log" ]; then
    grep -cE "dispatch_exception code=($witness_codes)" "$log"
  else
    echo 0
  fi
}

# start: a fresh program ($app) under the exception log, its window shown.
start() {
  launch
  sleep 1
}
# finish CASE: the program still runs, then ends by Alt+F4 with code 0.
finish() {
  check "$1: the program still runs" yes "$(kill -0 $app 2>/dev/null && echo yes || echo no)"
  to_form
  xdotool key alt+F4
  ended
  check "$1: the program ends with code 0" 0 "$rc"
}
# plain CASE: the frame is the system's again, with nothing of the skin's.
plain() {
  frame
  check "$1: the frame's skin data is gone" 0 "$(fget frame_acsdata)"
  check "$1: the system's window menu style is back" 1 "$(fget frame_sysmenu)"
  check "$1: no border window is left" none "$(fget frame_border)"
}

# The window menu open while the skin goes.
start
to_form
xdotool key alt+space
for _ in $(seq 30); do
  wine "$probe" menu >/dev/null 2>&1 && break
  sleep 0.1
done
check "menu: the window menu is open" yes \
  "$(wine "$probe" menu >/dev/null 2>&1 && echo yes || echo no)"
check "menu: the skin is switched off while it is open" 0 \
  "$(wine "$skinsend" --off >/dev/null 2>&1; echo $?)"
plain menu
xdotool key Escape
sleep 0.5
check "menu: Esc closes the menu" no \
  "$(wine "$probe" menu >/dev/null 2>&1 && echo yes || echo no)"
finish menu
check "menu: no access violation in the program" 0 "$(violations)"

# The caption held in the system's move loop while the skin goes.
start
to_form
frame
IFS=, read -r wx wy _ _ <<<"$(fget frame_window)"
IFS=, read -r _ it ir ib <<<"$(fget frame_icon)"
# On the title, right of its icon.
x=$((wx + ir + 60))
y=$((wy + (it + ib) / 2))
xdotool mousemove "$x" "$y"
sleep 0.2
xdotool mousemove "$((x + 1))" "$y" mousedown 1
sleep 0.3
xdotool mousemove "$((x + 20))" "$((y + 10))"
sleep 0.3
check "drag: the skin is switched off while the caption is held" 0 \
  "$(wine "$skinsend" --off >/dev/null 2>&1; echo $?)"
xdotool mousemove "$((x + 30))" "$((y + 15))"
sleep 0.2
xdotool mouseup 1
sleep 0.5
plain drag
finish drag
check "drag: no access violation in the program" 0 "$(violations)"

e2e_finish
