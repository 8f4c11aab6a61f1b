#!/usr/bin/env bash
# Drives the real program's field and copy button under Wine in a virtual
# display, with real mouse input, and checks what the screen shows against
# the skin tool's renders of their sections: the field normal and focused,
# the button normal, hot, pressed and disabled, each at the control's size,
# outside the text. After the click that copies, every screenshot is either
# the face shown before the click or the disabled face, and once disabled it
# stays so. Hit tests and skin answers are asked from another process
# (e2e_probe).
#
#   e2e_controls.sh VELMORA.EXE E2E_PROBE.EXE PIXELS_PER_INCH
#
# Uses DISPLAY and WINEPREFIX when the caller (scripts/test.sh) set them up,
# else starts its own display and prefix beside the program. At 144 pixels per
# inch it uses a second prefix whose LogPixels is 144.
set -uo pipefail
exe=$1
probe=$2
ppi=${3:-96}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/winenv.sh"

if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  trap winenv_stop EXIT
  winenv_start "$(cd "$(dirname "$exe")/.." && pwd)"
fi
export WINEDEBUG=-all

if [ "$ppi" != 96 ]; then
  export WINEPREFIX="${WINEPREFIX}-$ppi"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$ppi" /f \
      >/dev/null 2>&1
    winenv_unmanaged
    wineserver -w
  fi
  trap 'WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1; winenv_stop' EXIT
fi

work=$(mktemp -d)
failures=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}
state() { wine "$probe" state | tr -d '\r' >"$work/state"; }
get() { sed -n "s/^$1=//p" "$work/state"; }
clip() { xclip -selection clipboard -o 2>/dev/null; }
set_clip() { printf '%s' "$1" | xclip -selection clipboard -i; }

skintool="$root/build/host/tools/skintool/skintool"
skin="$(dirname "$exe")/VelmoraLight.asz"
text='VLM7-Q4TD-98KX-M2RF'

# shot NAME X,Y,W,H: the screen's rectangle into NAME.png.
shot() {
  local x y w h
  IFS=, read -r x y w h <<<"$2"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/$1.png"
}
# differ A B [HOLE]: how many pixels of A.png and B.png differ outside the
# rectangle HOLE ("x0 y0 x1 y1", inclusive).
differ() {
  local hole=${3:-"-1 -1 -1 -1"}
  for f in "$1" "$2"; do
    convert "$work/$f.png" -alpha off -fill black -draw "rectangle $hole" "$work/$f-cut.png"
  done
  compare -metric AE "$work/$1-cut.png" "$work/$2-cut.png" null: 2>&1
}
# settle NAME RECT: shoots until two shots in a row are equal (a fade has
# ended), so no wall-clock time decides what a state looks like.
settle() {
  shot "$1" "$2"
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

PATH="$work/bin:$PATH" wine "$exe" &
app=$!
if ! wine "$probe" wait 60; then
  echo "FAIL the window did not appear"
  kill $app 2>/dev/null
  exit 1
fi
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

xdotool mousemove $button_center
settle hot "$button"
check "hovered, the button equals the hot BUTTON render" 0 \
  "$(differ hot button-hot "$button_hole")"

xdotool mousedown 1
settle pressed "$button"
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

[ -n "${AC_KEEP_E2E:-}" ] || rm -rf "$work"
if [ $failures -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed at $ppi ppi"
