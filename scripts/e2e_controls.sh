#!/usr/bin/env bash
# Drives the real program's field and copy button under Wine in a virtual
# display, with real mouse input, and checks what the screen shows against
# the skin tool's renders of their sections: the field normal and focused,
# the button normal, hot, pressed and disabled, each at the control's size,
# outside the text. Hover and leave show the fades' number of frames, counted
# by the program and read from outside, and no timer runs at rest; the CPU
# time the program spends at rest and on a hover is read from /proc. After the click that copies, every screenshot is either
# the face shown before the click or the disabled face, and once disabled it
# stays so. Hit tests and skin answers are asked from another process
# (e2e_probe).
#
#   e2e_controls.sh VELMORA.EXE E2E_PROBE.EXE PIXELS_PER_INCH
#
# Display, Wine prefix and the checks' bookkeeping: scripts/e2e_common.sh.
set -uo pipefail
exe=$1
probe=$2
ppi=${3:-96}
source "$(dirname "$0")/e2e_common.sh"
clip() { xclip -selection clipboard -o 2>/dev/null; }
set_clip() { printf '%s' "$1" | xclip -selection clipboard -i; }

text='VLM7-Q4TD-98KX-M2RF'

# settle NAME RECT [FROM]: shoots until two shots in a row are equal (a fade
# has ended), so no wall-clock time decides what a state looks like. With
# FROM, first waits (up to two seconds) for the screen to leave the shot FROM,
# so input the program has not handled yet is not taken for a settled face.
settle() {
  shot "$1" "$2"
  if [ -n "${3:-}" ]; then
    for _ in $(seq 40); do
      [ "$(differ "$1" "$3")" != 0 ] && break
      sleep 0.05
      shot "$1" "$2"
    done
  fi
  for _ in $(seq 40); do
    sleep 0.05
    shot "$1-next" "$2"
    [ "$(differ "$1" "$1-next")" = 0 ] && return
    mv "$work/$1-next.png" "$work/$1.png"
  done
}
# render SECTION NAME W H ARGS...: the skin tool's picture of a section.
render() {
  "$skintool" render "$skin" section "$1" "$work/$2.png" --size "${3}x${4}" --ppi "$ppi" \
    --parent "$parent" "${@:5}" >/dev/null
}

PATH="$work/bin:$PATH" launch
sleep 1

state
check "the field answers as an edit (kind 1, EDIT)" 1 "$(get edit_kind)"
check "the button answers as a button (kind 2, BUTTON)" 2 "$(get button_kind)"
check "the button's rounded corner lets the mouse through" -1 "$(get button_corner_hit)"
check "the button's middle is the button" 1 "$(get button_middle_hit)"
check "the field's frame is the field" 1 "$(get edit_frame_hit)"
check "the field's corner is the field" 1 "$(get edit_corner_hit)"

parent=$(get panel_bgcolor)
button=$(get button_screen)
edit=$(get edit_screen)
IFS=, read -r bx by bw bh <<<"$button"
IFS=, read -r ex ey ew eh <<<"$edit"
button_center="$((bx + bw / 2)) $((by + bh / 2))"
edit_center="$((ex + ew / 2)) $((ey + eh / 2))"
# The middle half of the button holds the caption and its focus rectangle;
# the field's text is centred in the middle three fifths.
button_hole="$((bw / 4)) 3 $((bw * 3 / 4)) $((bh - 4))"
edit_hole="$((ew / 5)) 2 $((ew * 4 / 5)) $((eh - 3))"

render BUTTON button-normal "$bw" "$bh" --state 0
render BUTTON button-hot "$bw" "$bh" --state 1
render BUTTON button-pressed "$bw" "$bh" --state 2
render BUTTON button-disabled "$bw" "$bh" --state 0 --disabled
render EDIT edit-normal "$ew" "$eh" --state 0
render EDIT edit-focused "$ew" "$eh" --state 1

xdotool mousemove 5 5
settle edit "$edit"
check "the field equals the EDIT render at $ppi ppi" 0 "$(differ edit edit-normal "$edit_hole")"
settle normal "$button"
check "the button equals the normal BUTTON render" 0 \
  "$(differ normal button-normal "$button_hole")"

# What the program does, read from outside: its running timers and the fade
# frames it has shown (e2e_probe activity), and its CPU time from /proc.
activity() { wine "$probe" activity | tr -d '\r' | sed -n "s/^$1=//p"; }
# This run's program: the one in this Wine prefix (other runs on the machine
# may have theirs).
pid=$(for p in $(pgrep -x Velmora.exe); do
  tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$p"
done | head -n 1)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }  # clock ticks, user + system
hz=$(getconf CLK_TCK)
ms() { echo $(($1 * 1000 / hz)); }
check "at rest no timer runs" 0 "$(activity timers)"
idle_from=$(cpu)
sleep 10
idle_ms=$(ms $(($(cpu) - idle_from)))
echo "     CPU time over 10 s at rest: $idle_ms ms"
check "ten seconds at rest cost at most 50 ms of CPU" yes \
  "$([ "$idle_ms" -le 50 ] && echo yes || echo "no ($idle_ms ms)")"

frames=$(activity frames)
hover_from=$(cpu)
xdotool mousemove $button_center
settle hot "$button" normal
hover_ms=$(ms $(($(cpu) - hover_from)))
echo "     CPU time of a hover fade with its screenshots: $hover_ms ms"
check "a hover fade costs at most 30 ms of CPU" yes \
  "$([ "$hover_ms" -le 30 ] && echo yes || echo "no ($hover_ms ms)")"
check "hovering shows the first frame at once and six more" 7 $(($(activity frames) - frames))
check "after the fade no timer runs" 0 "$(activity timers)"
check "hovered, the button equals the hot BUTTON render" 0 \
  "$(differ hot button-hot "$button_hole")"
frames=$(activity frames)
xdotool mousemove 5 5
settle left "$button" hot
check "leaving fades back in the first frame and eighteen more" 19 \
  $(($(activity frames) - frames))
check "left, the button is the normal BUTTON render again" 0 \
  "$(differ left button-normal "$button_hole")"
# Back a little beside the point it left from: the system drops a move to the
# position it last saw inside its windows, as no real mouse would make one.
xdotool mousemove $((bx + bw / 2 + 3)) $((by + bh / 2))
settle hot "$button" left

xdotool mousedown 1
settle pressed "$button" hot
check "held down, the button equals the pressed BUTTON render" 0 \
  "$(differ pressed button-pressed "$button_hole")"

# The release runs the click: shots taken from before it until well after.
set_clip before-click
(for i in $(seq -w 0 24); do shot "after-$i" "$button"; done) &
shooter=$!
sleep 0.2
xdotool mouseup 1
wait $shooter
disabled_seen=no
verdict=ok
for f in "$work"/after-*.png; do
  name=$(basename "$f" .png)
  if [ "$(differ "$name" button-disabled "$button_hole")" = 0 ]; then
    disabled_seen=yes
  elif [ "$disabled_seen" = no ] &&
    { [ "$(differ "$name" pressed)" = 0 ] || [ "$(differ "$name" hot)" = 0 ]; }; then
    : # still the face and caption from before the click
  else
    verdict="$name shows neither the face before the click nor the disabled one"
    break
  fi
done
check "after the click the new caption comes only with the disabled face" ok "$verdict"
check "the last shot after the click is disabled" yes "$disabled_seen"
check "the click copies the field" "$text" "$(clip)"
settle disabled "$button"
check "disabled, the button equals the disabled BUTTON render" 0 \
  "$(differ disabled button-disabled "$button_hole")"

xdotool mousemove $edit_center click 1
xdotool mousemove 5 5
settle focused "$edit"
state
check "the field has the focus" TsEdit "$(get focus)"
check "focused, the field equals the focused EDIT render" 0 \
  "$(differ focused edit-focused "$edit_hole")"

xdotool key alt+F4
for _ in $(seq 100); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill $app 2>/dev/null

e2e_finish
