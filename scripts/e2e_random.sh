#!/usr/bin/env bash
# A randomized run of the real program under Wine with real mouse and
# keyboard input: hovers, clicks, Tab, Esc, Alt+Space and the window menu,
# caption drags, the window menu asked for from another process (0x313),
# the link, and skin changes through the editor preview channel (the light
# and the dark skin, the skin off, a malformed skin, a skin with a missing
# image, one without sections, a malformed one). The program runs with the
# witness (scripts/e2e_common.sh), so an access violation it swallows fails
# the run. At the end, with the light skin applied again: the program is
# alive, its GDI and USER counts are those of the start, and its window with
# frame and shadow is the start's picture within one level per channel.
#
#   e2e_random.sh VELMORA.EXE E2E_PROBE.EXE [PPI] [SEED] [STEPS]
#
# The seed (printed; a new one when not given) fixes the sequence of steps:
# the same seed repeats the same run. A step takes about two seconds.
set -uo pipefail
exe=$1
probe=$2
ppi=${3:-96}
seed=${4:-$((($(date +%s%N) / 1000) % 1000000))}
steps=${5:-30}
source "$(dirname "$0")/e2e_common.sh"
echo "seed=$seed steps=$steps ppi=$ppi"
RANDOM=$seed

skinsend="$(dirname "$probe")/skinsend.exe"
light=$(winepath -w "$root/skins/VelmoraLight" 2>/dev/null)
dark=$(winepath -w "$root/skins/VelmoraDark" 2>/dev/null)
handles() { wine "$probe" handles | tr -d '\r' | paste -sd' '; }

# Skins that load with what they lack or are refused: the light
# skin's options cut off in the middle of a section, the light skin without
# the first image its options name, and a skin of a bare global section.
mkdir -p "$work/Truncated" "$work/NoImage" "$work/Sectionless"
options="$root/skins/VelmoraLight/Options.dat"
head -c "$(($(stat -c %s "$options") / 2))" "$options" >"$work/Truncated/Options.dat"
cp "$root/skins/VelmoraLight/"* "$work/NoImage/"
missing=$(grep -oiE '[A-Za-z0-9_]+\.(bmp|png|jpg)' "$options" | head -1)
rm -f "$work/NoImage/$missing"
printf '[GLOBALINFO]\r\nVERSION=15.00\r\nAUTHOR=e2e\r\n' >"$work/Sectionless/Options.dat"
# The three above load with what they have; a malformed colour is refused
# with the load error's box.
mkdir -p "$work/Malformed"
printf '[GLOBALINFO]\r\nVERSION=15.00\r\nBTNCOLOR1ACTIVE=green\r\n' >"$work/Malformed/Options.dat"
broken_skins=("$work/Truncated" "$work/NoImage" "$work/Sectionless" "$work/Malformed")

# The system's URL opener: the link's page goes to a stand-in.
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

# rnd N: a number below N from the seeded sequence, in $r. Never called in a
# subshell, where the sequence would not advance.
rnd() { r=$((RANDOM % $1)); }

# A dialog the program shows (the load error of a broken skin) is closed
# with Return; true when there was one.
close_dialog() {
  wine "$probe" dialog >/dev/null 2>&1 || return 1
  xdotool key Return
  sleep 0.5
  return 0
}
# send_skin ARGS: skinsend in the background; a load error's box is closed.
send_skin() {
  wine "$skinsend" "$@" >"$work/send.log" 2>&1 &
  local sender=$!
  for _ in $(seq 40); do
    kill -0 $sender 2>/dev/null || break
    close_dialog || sleep 0.25
  done
  kill $sender 2>/dev/null
  wait $sender 2>/dev/null
  tr -d '\r' <"$work/send.log" | head -1
}
# A menu the program shows is closed with Esc (twice for a sub-menu).
close_menus() {
  local i
  for i in 1 2 3; do
    wine "$probe" menu >/dev/null 2>&1 || return 0
    xdotool key Escape
    sleep 0.3
  done
}

# Places on the screen from the window's current facts: in the client area
# (field, button, panel, link) and around it (caption, frame, shadow).
places() {
  wine "$probe" places | tr -d '\r' >"$work/state"
  IFS=, read -r wx wy ww _ <<<"$(get window)"
  IFS=, read -r sx sy sw sh <<<"$(get shot)"
  IFS=, read -r cx cy <<<"$(get client_origin)"
}
pick_point() {  # a point of the kind $1 in px, py
  case $1 in
    edit) IFS=, read -r px py <<<"$(get edit_center)" ;;
    button) IFS=, read -r px py <<<"$(get button_center)" ;;
    link) IFS=, read -r px py <<<"$(get link_center)" ;;
    panel)
      rnd "$((ww - 2 * cx))"
      px=$((wx + cx + r))
      rnd 10
      py=$((wy + cy + 2 + r))
      ;;
    caption)
      rnd "$((ww / 3))"
      px=$((wx + ww / 3 + r))
      py=$((wy + cy / 2))
      ;;
    anywhere)
      rnd "$sw"
      px=$((sx + r))
      rnd "$sh"
      py=$((sy + r))
      ;;
  esac
}
kinds=(edit button link panel caption anywhere)

# move_to X Y: twice, a pixel apart, so that a hover reaches the window.
move_to() {
  xdotool mousemove "$1" "$2"
  sleep 0.05
  xdotool mousemove "$(($1 + 1))" "$2"
}

step() {
  local what
  rnd 100
  if [ $r -lt 18 ]; then
    rnd ${#kinds[@]}
    what=${kinds[$r]}
    pick_point "$what"
    echo "hover $what $px,$py"
    move_to "$px" "$py"
  elif [ $r -lt 34 ]; then
    rnd ${#kinds[@]}
    what=${kinds[$r]}
    pick_point "$what"
    echo "click $what $px,$py"
    move_to "$px" "$py"
    xdotool click 1
  elif [ $r -lt 44 ]; then
    rnd 3
    what=(Tab shift+Tab Escape)
    echo "key ${what[$r]}"
    to_form
    xdotool key "${what[$r]}"
  elif [ $r -lt 52 ]; then
    rnd 3
    echo "alt+space, $r x Down, Escape"
    to_form
    xdotool key alt+space
    sleep 0.4
    for ((i = 0; i < r; i++)); do xdotool key Down; done
    xdotool key Escape
  elif [ $r -lt 60 ]; then
    rnd 2
    what=(form app)
    echo "window menu (0x313) to the ${what[$r]} window from another process, then Escape"
    if [ $r == 0 ]; then wine "$probe" sysmenu; else wine "$probe" sysmenu app; fi
    sleep 0.6
    close_menus
  elif [ $r -lt 70 ]; then
    pick_point caption
    local dx dy
    rnd 121
    dx=$((r - 60))
    rnd 81
    dy=$((r - 40))
    # Toward the middle of the screen when the window wandered off.
    [ $wx -gt 700 ] && dx=$((-${dx#-}))
    [ $wx -lt 100 ] && dx=${dx#-}
    [ $wy -gt 550 ] && dy=$((-${dy#-}))
    [ $wy -lt 100 ] && dy=${dy#-}
    echo "drag caption $px,$py by $dx,$dy"
    move_to "$px" "$py"
    xdotool mousedown 1
    for k in 1 2 3 4; do
      xdotool mousemove "$((px + dx * k / 4))" "$((py + dy * k / 4))"
      sleep 0.05
    done
    xdotool mouseup 1
  else
    rnd 9
    case $r in
      0 | 1 | 2) what=("$light") ;;
      3 | 4) what=("$dark") ;;
      5 | 6) what=(--off) ;;
      *)
        rnd ${#broken_skins[@]}
        what=("$(winepath -w "${broken_skins[$r]}" 2>/dev/null)")
        ;;
    esac
    echo "skin ${what[*]##*\\}: $(send_skin "${what[@]}")"
  fi
}

# The start: a white desktop first, so that the window's shadow lies over
# white at both ends; the program with the light skin sent once through the
# same channel as at the end, the pointer off the window, the form active and
# the focus on the button (the panel that has it at first is out of the Tab
# order, so the end could not give it back).
xdotool mousemove 5 5
wine "$probe" backdrop $((steps * 5 + 150)) >/dev/null 2>&1 &
backdrop=$!
for _ in $(seq 50); do
  import -window root "$work/desk.png"
  [ "$(convert "$work/desk.png" -format "%[hex:u.p{640,512}]" info:)" = FFFFFF ] && break
  sleep 0.2
done
PATH="$work/bin:$PATH" launch
also_on_exit 'kill $app $backdrop 2>/dev/null'
sleep 1
send_skin "$light" >/dev/null
park() {
  xdotool mousemove 5 5
  to_form
  sleep 1
}
# focus_on CLASS: Tab until the focus is on CLASS; true when it got there.
focus_on() {
  for _ in 1 2 3 4; do
    places
    [ "$(get focus)" == "$1" ] && return 0
    xdotool key Tab
    sleep 0.4
  done
  places
  [ "$(get focus)" == "$1" ]
}
park
focus_on TsButton
start_counts=$(handles)
places
shot start "$(get shot)"
echo "start: focus=$(get focus) $start_counts shot=$(get shot)"

began=$(date +%s)
for ((n = 1; n <= steps; n++)); do
  places
  printf 'step %d: ' "$n"
  step
  sleep 0.3
  if ! kill -0 $app 2>/dev/null; then
    echo "FAIL the program ended at step $n"
    failures=$((failures + 1))
    break
  fi
done
echo "$((n - 1)) steps in $(($(date +%s) - began)) s"

alive=no
if kill -0 $app 2>/dev/null; then
  alive=yes
  close_menus
  close_dialog
  send_skin "$light" >/dev/null
  park
  # The copy button, once used, says so and stays disabled, and the focus
  # can only go to the field, where the caret blinks: both rectangles are
  # left out then.
  holes=()
  places
  if [ "$(get button_enabled)" == 1 ]; then
    check "the focus is back on the button" yes "$(focus_on TsButton && echo yes || echo no)"
  else
    focus_on TsEdit
    IFS=, read -r sx sy _ _ <<<"$(get shot)"
    for r in "$(get button_screen)" "$(get edit_screen)"; do
      IFS=, read -r bx by bw bh <<<"$r"
      holes+=(-draw "rectangle $((bx - sx)) $((by - sy)) $((bx - sx + bw - 1)) $((by - sy + bh - 1))")
    done
    echo "the copy button was used: it and the field are left out of the comparison"
  fi
  check "the GDI and USER counts are those of the start" "$start_counts" "$(handles)"
  places
  shot end "$(get shot)"
  # Pixels whose channels differ by more than one level.
  far=unequal-sizes
  if [ "$(identify -format %wx%h "$work/start.png")" == "$(identify -format %wx%h "$work/end.png")" ]; then
    for f in start end; do
      convert "$work/$f.png" -alpha off -fill black "${holes[@]}" "$work/$f-cut.png"
    done
    far=$(convert "$work/start-cut.png" "$work/end-cut.png" -compose difference -composite \
      -separate -evaluate-sequence max -threshold 0.59% -format '%[fx:round(mean*w*h)]' info:)
  fi
  check "the window with the light skin again is the start's within one level" 0 "$far"
  if [ "$far" != 0 ]; then
    keep="$(cd "$(dirname "$exe")/.." && pwd)/random-$seed"
    mkdir -p "$keep"
    cp "$work/start.png" "$work/end.png" "$keep/"
    echo "     start and end pictures: $keep/start.png $keep/end.png"
  fi
fi
check "the program is alive after $steps steps" yes "$alive"

xdotool key alt+F4
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill $app $backdrop 2>/dev/null
e2e_finish
