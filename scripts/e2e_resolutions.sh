#!/usr/bin/env bash
# The whole program as its users see it at one screen resolution (or, without
# PIXELS_PER_INCH, at 96, 120, 144 and 192 in turn, a Wine prefix each): the
# window over a plain white desktop, its screenshot with frame and shadow
# left in the build's renders folder (window-PPI.png, screen-PPI.png), and
# from outside (e2e_probe) and from the pixels:
# - the client size and every control's place are the designed ones scaled,
#   and every control lies inside its parent;
# - the panel, the field and the button show the skin tool's renders of
#   their sections at this resolution (the skin's variant for it), outside
#   their text, and not the 96 PPI ones;
# - the field's text and the button's caption fit: their ink lies inside
#   the middle of the control, centred, at least as high as the font's
#   letters must be at this resolution;
# - the frame, title and shadow: with a border window around the form, its
#   pixels against the skin tool's border render; without one, the form's
#   own frame against the frame render; and where those renders leave the
#   title out, its text is whole (its top and bottom rows are the tips of
#   tall letters and descenders, not a cut through all letters).
# The skin tool's border render with its mask is optional: without it the
# border comparison says SKIP.
#
#   e2e_resolutions.sh VELMORA.EXE E2E_PROBE.EXE [PIXELS_PER_INCH]
#
# Display, Wine prefix and the shared helpers: scripts/e2e_common.sh.
set -uo pipefail
if [ $# -lt 3 ]; then
  rc=0
  for p in 96 120 144 192; do bash "$0" "$1" "$2" "$p" || rc=1; done
  exit $rc
fi
exe=$1
probe=$2
ppi=$3
source "$(dirname "$0")/e2e_common.sh"
renders="$(cd "$(dirname "$exe")/.." && pwd)/renders"
mkdir -p "$renders"
started=$SECONDS

# The white desktop first, so that everything the program shows lies over it.
xdotool mousemove 5 5
wine "$probe" backdrop 150 &
backdrop=$!
white=no
for _ in $(seq 50); do
  import -window root "$work/desk.png"
  [ "$(convert "$work/desk.png" -format "%[hex:u.p{640,512}]" info:)" = FFFFFF ] &&
    white=yes && break
  sleep 0.2
done
check "the desktop under the program is white" yes "$white"

launch
sleep 1
state
wine "$probe" frame | tr -d '\r' >"$work/frame"
fget() { sed -n "s/^$1=//p" "$work/frame"; }

# The screenshot: the form with its frame and shadow (the layered windows
# around it when it has them).
import -window root "$work/screen.png"
IFS=, read -r wx wy ww wh <<<"$(fget frame_window)"
IFS=, read -r sx sy sw sh <<<"$(fget frame_shot)"
around=$(fget frame_border)
cp "$work/screen.png" "$renders/screen-$ppi.png"
convert "$work/screen.png" -crop "${sw}x${sh}+${sx}+${sy}" +repage "$renders/window-$ppi.png"
echo "     screenshots: $renders/window-$ppi.png, $renders/screen-$ppi.png"

# Sizes and places: the designed ones (at 96 PPI) scaled, within a pixel for
# rounding, each inside its parent.
client="$(scale 262)x$(scale 102)"
check "client size at $ppi ppi is $client" "$client" "$(get client)"
cw=$(scale 262)
ch=$(scale 102)
# placed X,Y,W,H DESIGNED-X,Y,W,H PARENT-W PARENT-H: "ok" or what is off.
placed() {
  local x y w h dx dy dw dh pw=$3 ph=$4 off="" pair
  IFS=, read -r x y w h <<<"$1"
  IFS=, read -r dx dy dw dh <<<"$2"
  for pair in "$x $(scale $dx)" "$y $(scale $dy)" "$w $(scale $dw)" "$h $(scale $dh)"; do
    set -- $pair
    [ $(($1 - $2)) -ge -1 ] && [ $(($1 - $2)) -le 1 ] || off="$off $1!=$2"
  done
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$pw" ] && [ $((y + h)) -le "$ph" ] ||
    off="$off outside ${pw}x$ph"
  echo "${off:-ok}"
}
ltrb_to_xywh() { awk -F, '{print $1 "," $2 "," $3 - $1 "," $4 - $2}' <<<"$1"; }
panel=$(get panel)
IFS=, read -r _ _ pw ph <<<"$panel"
check "the panel is placed as designed, inside the client area" ok \
  "$(placed "$panel" 1,3,260,97 "$cw" "$ch")"
check "the field is placed as designed, inside the panel" ok \
  "$(placed "$(ltrb_to_xywh "$(get edit_in_panel)")" 4,16,252,21 "$pw" "$ph")"
check "the button is placed as designed, inside the panel" ok \
  "$(placed "$(ltrb_to_xywh "$(get button_in_panel)")" 4,40,252,23 "$pw" "$ph")"

# The panel's face against PANEL at this resolution and, where the skin's
# variant differs from the 96 PPI one, not against that.
panel_setup
panel_shot panel
render_panel "$skin" panel-render
check "the panel's face equals the PANEL render at $ppi ppi" 0 "$(differs panel panel-render)"
# rendered_apart A B [HOLE]: yes when two renders differ (outside HOLE).
rendered_apart() { [ "$(differ "$@")" != 0 ] && echo yes || echo no; }
if [ "$ppi" != 96 ]; then
  render_panel "$skin" panel-96 96
  if [ "$(differs panel-render panel-96)" != 0 ]; then
    check "the panel's face is not the 96 PPI PANEL render" yes \
      "$([ "$(differs panel panel-96)" != 0 ] && echo yes || echo no)"
  fi
fi

# ink A B: the box "x0 y0 x1 y1" (inclusive) of the pixels where A.png and
# B.png differ, or "none".
ink() {
  if [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = 0 ]; then
    echo none
    return
  fi
  compare "$work/$1.png" "$work/$2.png" -compose src -highlight-color white \
    -lowlight-color black "$work/ink.png" 2>/dev/null
  convert "$work/ink.png" -format '%@' info: |
    sed 's/^\([0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\)$/\3 \4 \1 \2/' |
    awk '{print $1, $2, $1 + $3 - 1, $2 + $4 - 1}'
}
# face NAME SECTION X,Y,W,H HOLE MIN-HEIGHT: the control's face against
# SECTION's render at this resolution outside HOLE (the middle that holds
# its text) and not the 96 PPI render; its text's ink inside HOLE, centred
# (within 3 pixels), at least MIN-HEIGHT high.
face() {
  local name=$1 section=$2 rect=$3 hole=$4 min=$5 x y w h
  IFS=, read -r x y w h <<<"$rect"
  shot "$name" "$rect"
  "$skintool" render "$skin" section "$section" "$work/$name-render.png" --size "${w}x${h}" \
    --ppi "$ppi" --parent "$(get panel_bgcolor)" --state 0 >/dev/null
  check "the $name equals the normal $section render at $ppi ppi outside its text" 0 \
    "$(differ "$name" "$name-render" "$hole")"
  if [ "$ppi" != 96 ]; then
    "$skintool" render "$skin" section "$section" "$work/$name-96.png" --size "${w}x${h}" \
      --ppi 96 --parent "$(get panel_bgcolor)" --state 0 >/dev/null
    [ "$(rendered_apart "$name-render" "$name-96" "$hole")" = yes ] &&
      check "the $name is not the 96 PPI $section render" yes \
        "$(rendered_apart "$name" "$name-96" "$hole")"
  fi
  local box x0 y0 x1 y1 h0 h1 h2 h3
  box=$(ink "$name" "$name-render")
  read -r h0 h1 h2 h3 <<<"$hole"
  echo "     $name text ink at $ppi ppi: $box (control ${w}x$h, text area $hole)"
  if [ "$box" = none ]; then
    check "the $name shows its text" yes no
    return
  fi
  read -r x0 y0 x1 y1 <<<"$box"
  check "the $name's text lies inside its middle" yes \
    "$([ "$x0" -ge "$h0" ] && [ "$y0" -ge "$h1" ] && [ "$x1" -le "$h2" ] && [ "$y1" -le "$h3" ] &&
      echo yes || echo "no ($box)")"
  local lean=$((x0 - (w - 1 - x1)))
  check "the $name's text is centred (not cut on one side)" yes \
    "$([ ${lean#-} -le 3 ] && echo yes || echo "no (left $x0, right $((w - 1 - x1)))")"
  check "the $name's text is at least $min pixels high" yes \
    "$([ $((y1 - y0 + 1)) -ge "$min" ] && echo yes || echo "no ($((y1 - y0 + 1)))")"
}
IFS=, read -r _ _ bw bh <<<"$(get button_screen)"
IFS=, read -r _ _ ew eh <<<"$(get edit_screen)"
# Letters of the 11-pixel design font: capitals at least 7 pixels high; the
# caption's "р" reaches below them.
face field EDIT "$(get edit_screen)" "$((ew / 5)) 2 $((ew * 4 / 5)) $((eh - 3))" "$(scale 7)"
face button BUTTON "$(get button_screen)" "$((bw / 4)) 3 $((bw * 3 / 4)) $((bh - 4))" "$(scale 9)"

# masked_differ SHOT RENDER MASK: pixels that differ by more than one level
# per colour (the compositor's blend of a premultiplied shadow may round the
# other way) where MASK is white.
masked_differ() {
  convert "$1" -alpha off "$3" -compose multiply -composite "$work/shot-masked.png"
  convert "$2" -alpha off "$3" -compose multiply -composite "$work/render-masked.png"
  compare -fuzz 0.7% -metric AE "$work/shot-masked.png" "$work/render-masked.png" null: 2>&1
}
# title_whole SHOT RENDER AREA: checks the title's icon and text, the pixels
# where SHOT.png and RENDER.png differ inside AREA.png (white where the render
# leaves the title out): there is some, and the text's top and bottom rows
# (right of the icon, past the first empty column) are the tips of its tall
# letters and descenders, not a cut through all letters: each holds at most
# a third of the ink of the text's fullest row.
title_whole() {
  local img box
  for img in "$1" "$2"; do
    convert "$work/$img.png" -alpha off "$work/$3.png" -compose multiply -composite \
      "$work/$img-area.png"
  done
  box=$(ink "$1-area" "$2-area")
  echo "     title ink at $ppi ppi: $box"
  if [ "$box" = none ]; then
    check "the title shows its icon and text" yes no
    return
  fi
  # Ink pixels per row of the text: the columns after the icon's gap.
  local rows
  rows=$(convert "$work/ink.png" -threshold 50% txt:- | awk -F'[,: ]+' '
    NR > 1 && /#FFFFFF/ { ink[$1, $2] = 1; col[$1] = 1 }
    END {
      for (x in col) if (min == "" || x + 0 < min) min = x + 0
      for (x = min; x in col; x++) {}
      while (!(x in col) && x < 100000) x++
      start = x
      for (k in ink) { split(k, p, SUBSEP); if (p[1] >= start) n[p[2]]++ }
      for (y in n) {
        if (top == "" || y + 0 < top) top = y + 0
        if (bottom == "" || y + 0 > bottom) bottom = y + 0
        if (n[y] > most) most = n[y]
      }
      print n[top] + 0, n[bottom] + 0, most + 0, top, bottom
    }')
  echo "     title text rows at $ppi ppi (top row, bottom row, fullest row, top, bottom): $rows"
  local t b m
  read -r t b m _ <<<"$rows"
  check "the title's text is not cut at its top or bottom" yes \
    "$([ "$m" -gt 0 ] && [ $((3 * t)) -le "$m" ] && [ $((3 * b)) -le "$m" ] && echo yes ||
      echo "no (top row $t, bottom row $b, fullest $m pixels)")"
}

IFS=, read -r f c <<<"$(fget frame_metrics)"
size=$(fget frame_size)
if [ "$around" != none ]; then
  # The border window: frame, title and shadow over the white desktop, as the
  # skin tool draws them around a form of this size and metrics.
  if "$skintool" render "$skin" border "$work/border.png" --size "$size" --frame "$f" \
    --caption "$c" --client "$(fget frame_client)" --state 1 --ppi "$ppi" --parent FFFFFF \
    >/dev/null 2>&1 && [ -f "$work/border-mask.png" ]; then
    check "the border window has the border render's size (the skin's $ppi ppi sizes)" \
      "$(identify -format %wx%h "$work/border.png")" "${sw}x$sh"
    check "the frame, title and shadow equal the border render at $ppi ppi" 0 \
      "$(masked_differ "$renders/window-$ppi.png" "$work/border.png" "$work/border-mask.png")"
    # The title: where the mask leaves it out, less the client hole.
    cp "$renders/window-$ppi.png" "$work/around.png"
    IFS=, read -r hx hy hw hh <<<"$(fget frame_client)"
    hx=$((hx + wx - sx)) hy=$((hy + wy - sy))
    convert "$work/border-mask.png" -alpha off -negate -fill black \
      -draw "rectangle $hx $hy $((hx + hw - 1)) $((hy + hh - 1))" "$work/title-area.png"
    title_whole around border title-area
  else
    echo "SKIP border comparison: the skin tool draws no border render with its mask"
  fi
else
  "$skintool" render "$skin" frame "$work/frame.png" --size "$size" --frame "$f" \
    --caption-height "$c" --client "$(fget frame_client)" --active 1 --ppi "$ppi" >/dev/null
  convert "$work/screen.png" -crop "${ww}x${wh}+${wx}+${wy}" +repage "$work/form.png"
  check "the frame and title equal the active frame render at $ppi ppi" 0 \
    "$(masked_differ "$work/form.png" "$work/frame.png" "$work/frame-mask.png")"
  # The title: where the render's mask leaves it out, less the corners the
  # window's region cuts away (the render's key colour).
  convert "$work/frame.png" -alpha off -fill white +opaque '#FF00FF' -fill black -opaque '#FF00FF' \
    \( "$work/frame-mask.png" -alpha off -negate \) -compose multiply -composite \
    -fill black -draw "rectangle 0 $((f + c)) $ww $wh" "$work/title-area.png"
  title_whole form frame title-area
fi

# The keys go to the form: the X focus may have stayed with another window
# of the display after the screenshots.
to_form
xdotool key alt+F4
ended
check "Alt+F4 ends the program with exit code 0" 0 "$rc"
kill $backdrop 2>/dev/null
wait $backdrop 2>/dev/null
echo "     $ppi ppi took $((SECONDS - started)) s"
e2e_finish
