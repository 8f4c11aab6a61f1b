#!/usr/bin/env bash
# Checks the main window's skinned frame under Wine from outside. The frame,
# title and shadow are two layered windows the program owns around its form
# (the border window, which takes the frame's mouse input, and under it the
# shadow window, which lets every click through); the form itself shows only
# its client area. Over a white window of another process (e2e_probe white)
# the script checks:
#   - a burst of screenshots from the start never shows another frame than
#     the skinned one;
#   - the program's windows, the border window's rectangle, owner and styles
#     against the live metrics and the skin's sizes (skintool render border);
#   - the screen around the form against the skin tool's render, active and
#     while another window holds the activation (within one level per colour);
#   - a click on the shadow reaches the other program, one on the frame not;
#   - dragging the title moves form and border by the drag, leaving no strip;
#   - hiding and minimising take border and shadow away, showing and
#     restoring bring them back in place; the program's modal message box
#     lies above them;
#   - in-program GDI/USER counts stay flat over 500 moves and 100
#     activations; a double click on the caption of this fixed-size form
#     changes nothing; the close button's click exits with code 0.
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
yes_no() { if eval "$1"; then echo yes; else echo no; fi; }

# Another program's white window under everything, logging the presses that
# reach it.
read -r sw sh <<<"$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\1 \2/p')"
wine "$probe" white 0 0 "$sw" "$sh" 170 >"$work/white.log" 2>/dev/null &
white=$!
for _ in $(seq 100); do grep -q ready "$work/white.log" 2>/dev/null && break; sleep 0.1; done

# The burst: the screen as often as it can be taken while the program starts.
start_app
mkdir -p "$work/burst"
burst_end=$((SECONDS + 4))
n=0
while [ $SECONDS -lt $burst_end ]; do
  import -window root "$work/burst/$(printf %03d $n).png" 2>/dev/null
  n=$((n + 1))
done
wait_for_window
sleep 1

probe frame >"$work/frame"
get() { sed -n "s/^$1=//p" "$work/frame"; }
check "the frame names its skin data (ACSDATA)" 1 "$(get frame_acsdata)"
check "the skinned frame took WS_SYSMENU off" 0 "$(get frame_sysmenu)"
size=$(get frame_size)
w=${size%x*}
h=${size#*x}
client=$(get frame_client)
IFS=, read -r f c <<<"$(get frame_metrics)"

# The skin tool's border image for this form window and these metrics; it
# also says where the border lies against the form and where its close
# button is.
render() {  # render NAME STATE
  "$skintool" render "$skin" border "$work/$1.png" --size "${w}x${h}" --frame "$f" \
    --caption "$c" --client "$client" --state "$2" --ppi "$ppi" --parent FFFFFF
}
render active 1 >"$work/geometry"
render inactive 0 >/dev/null
IFS=, read -r ox oy <<<"$(sed -n 's/^offset=//p' "$work/geometry")"
IFS=, read -r cx cy <<<"$(sed -n 's/^close=//p' "$work/geometry")"
read -r bw bh <<<"$(identify -format '%w %h' "$work/active.png")"

bget() { sed -n "s/^$1=//p" "$work/border"; }
# The border window's facts once it has settled in place (a loaded machine
# may still be restacking the windows the start raised).
settled_border() {
  for _ in $(seq 20); do
    probe border >"$work/border"
    [ "$(bget in_place)" = 1 ] && return
    sleep 0.2
  done
}
settled_border
IFS=, read -r fl ft fr fb <<<"$(bget form_rect)"
check "the program shows its form, border and shadow windows and no other" 3 "$(bget windows)"
check "the border window lies around the form as the skin's sizes say" \
  "$((fl - ox)),$((ft - oy)),$((fl - ox + bw)),$((ft - oy + bh))" "$(bget border_rect)"
check "the shadow window lies under it at the same place" "$(bget border_rect)" "$(bget shadow_rect)"
check "the form owns the border window" 1 "$(bget border_owned)"
check "the form owns the shadow window" 1 "$(bget shadow_owned)"
check "the border window is layered, nothing else" 0x80000 "$(bget border_exstyle)"
check "the shadow window is layered, transparent to the mouse, never active, no taskbar button" \
  0x80800a0 "$(bget shadow_exstyle)"
check "border, shadow and form lie together in z-order" 1 "$(bget in_place)"
IFS=, read -r cl ct cr cb <<<"$(bget form_client)"
check "the form shows its client area only" "2,$((cl - fl)),$((ct - ft)),$((cr - fl)),$((cb - ft))" \
  "$(bget form_region)"

# differs SHOT RENDER [LEFT TOP]: pixels of SHOT's crop at the border window
# (or at LEFT, TOP) that differ from RENDER by more than one level per colour
# where the mask compares them.
differs() {
  local x=${3:-$((fl - ox))} y=${4:-$((ft - oy))}
  convert "$1" -crop "${bw}x${bh}+${x}+${y}" +repage -alpha off \
    "$work/active-mask.png" -compose multiply -composite "$work/shot-masked.png"
  convert "$2" -alpha off "$work/active-mask.png" -compose multiply -composite \
    "$work/render-masked.png"
  compare -fuzz 0.7% -metric AE "$work/shot-masked.png" "$work/render-masked.png" null: 2>&1
}
# colours SHOT: distinct colours of SHOT's crop at the border window where compared.
colours() {
  convert "$1" -crop "${bw}x${bh}+$((fl - ox))+$((ft - oy))" +repage -alpha off \
    "$work/active-mask.png" -compose multiply -composite -format %k info:
}

import -window root "$work/now.png"
check "frame, title and shadow on the screen are the active render" 0 \
  "$(differs "$work/now.png" "$work/active.png")"
probe activate 4 &
activator=$!
sleep 2
import -window root "$work/away.png"
check "with another window active they are the inactive render" 0 \
  "$(differs "$work/away.png" "$work/inactive.png")"
check "the inactive look differs from the active one" yes \
  "$(yes_no '[ "$(differs "$work/away.png" "$work/active.png")" -gt 0 ]')"
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
check "the burst caught the window at least once" yes "$(yes_no '[ $((shown + others)) -gt 0 ]')"
check "no screenshot of the start shows another frame than the skinned one" 0 "$others"

# Clicks: the shadow lets them through to the other program, the frame not.
clicks() { grep -c '^click=' "$work/white.log"; }
before=$(clicks)
sx=$((fl - ox + 2))
sy=$((ft + (fb - ft) / 2))
xdotool mousemove $sx $sy click 1
sleep 0.5
check "a click on the shadow reaches the other program's window" "$sx,$sy" \
  "$(grep '^click=' "$work/white.log" | tail -1 | tr -d '\r' | sed 's/^click=//')"
before=$(clicks)
xdotool mousemove $((fl - 1)) $sy click 1
sleep 0.5
check "a click on the frame does not" "$before" "$(clicks)"

# A double click on the caption of a fixed-size form changes nothing.
tx=$((fl + (fr - fl) / 3))
ty=$((ft - oy + cy))
xdotool mousemove $tx $ty click --repeat 2 --delay 80 1
sleep 0.7
probe border >"$work/border"
check "a double click on the caption leaves the form as it was" "$fl,$ft,$fr,$fb" "$(bget form_rect)"

# Dragging the title moves form and border by exactly the drag.
xdotool mousemove $tx $ty mousedown 1
for step in $(seq 1 8); do
  xdotool mousemove $((tx + step * 5)) $((ty + step * 4))
  sleep 0.05
done
xdotool mouseup 1
sleep 1
probe border >"$work/border"
check "dragging the title moves the form by the drag" \
  "$((fl + 40)),$((ft + 32)),$((fr + 40)),$((fb + 32))" "$(bget form_rect)"
check "the border follows it" "$((fl + 40 - ox)),$((ft + 32 - oy)),$((fl + 40 - ox + bw)),$((ft + 32 - oy + bh))" \
  "$(bget border_rect)"
import -window root "$work/moved.png"
check "after the move the screen shows the render at the new place" 0 \
  "$(differs "$work/moved.png" "$work/active.png" $((fl + 40 - ox)) $((ft + 32 - oy)))"
# Where the border was and is no more, only the white window shows.
old=$(convert "$work/moved.png" -crop "40x${bh}+$((fl - ox))+$((ft - oy))" +repage -alpha off \
  -format %k info:)
check "no strip of the old frame or shadow stays behind" 1 "$old"
IFS=, read -r fl ft fr fb <<<"$(bget form_rect)"

# Hiding, minimising, showing and restoring.
in_place() { settled_border; echo "$(bget windows) $(bget in_place)"; }
probe show 0
sleep 0.7
probe border >"$work/border"
check "hiding the form takes border and shadow away" "0 0" "$(bget windows) $(bget in_place)"
probe show 1
sleep 0.7
check "showing it brings them back in place" "3 1" "$(in_place)"
probe syscmd min
sleep 1
probe border >"$work/border"
check "minimising the form takes border and shadow away" "" "$(bget border)$(bget shadow)"
probe syscmd restore
sleep 1
check "restoring it brings them back in place" "3 1" "$(in_place)"
check "restored where it was" "$fl,$ft,$fr,$fb" "$(bget form_rect)"

# Counts stay flat over moves and activations.
counts() { probe handles | tr '\n' ' '; }
start_counts=$(counts)
probe churn 500 100
sleep 1
check "GDI and USER counts are flat over 500 moves and 100 activations" "$start_counts" "$(counts)"
check "after them border and shadow are in place" "3 1" "$(in_place)"

# The program's own message box (a malformed skin sent from another process
# is refused with one) is framed by the skin, lies above the border and the
# shadow, and closes from its skinned close button, clicked with the real
# mouse.
skinsend="$(dirname "$probe")/skinsend.exe"
mkdir -p "$work/Broken"
printf '[GLOBALINFO]\r\nVERSION=15.00\r\nBTNCOLOR1ACTIVE=green\r\n' >"$work/Broken/Options.dat"
wine "$skinsend" "$(winepath -w "$work/Broken")" >/dev/null 2>&1 &
sender=$!
wait_for_dialog
dget() { sed -n "s/^$1=//p" "$work/dialog"; }
check "the message box names its skin data (ACSDATA)" 1 "$(dget dialog_acsdata)"
check "the message box's skinned frame took WS_SYSMENU off" 0 "$(dget dialog_sysmenu)"
probe border >"$work/border"
check "the message box lies above border and shadow" 1 "$(bget dialog_above)"
close=$(dget dialog_close)
check "the message box has a skinned close button" yes "$(yes_no '[ -n "$close" ]')"
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
sleep 0.5

# The close button of the border window ends the program with code 0.
xdotool mousemove $((fl - ox + cx)) $((ft - oy + cy + 3))
sleep 0.2
xdotool mousemove $((fl - ox + cx)) $((ft - oy + cy)) click 1
ended
check "clicking the close button exits with code 0" 0 "$rc"

kill $white 2>/dev/null
wait $white 2>/dev/null
e2e_finish
