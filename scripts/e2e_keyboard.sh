#!/usr/bin/env bash
# The program driven from the keyboard under Wine, and its skinned window
# menu read from another process: the focus after each Tab (e2e_probe state),
# Space and Enter on the button and selection in the field (the clipboard
# through xclip), Alt+Space and the taskbar's request (0x313, to the window
# or to the application window) opening the window menu where it belongs
# with exactly its items and states (e2e_probe menu), the menu's item faces
# and Close's glyph against the skin tool's renders, Esc closing it, and the
# three ways out that end the program with exit code 0: Close from the menu
# by keys, Close from the menu by a click, Alt+F4. Each way out has a fresh
# start of its own.
#
#   e2e_keyboard.sh VELMORA.EXE E2E_PROBE.EXE PIXELS_PER_INCH
#
# Display, Wine prefix and the checks' bookkeeping: scripts/e2e_common.sh.
set -uo pipefail
exe=$1
probe=$2
ppi=${3:-96}
source "$(dirname "$0")/e2e_common.sh"
skintool="$root/build/host/tools/skintool/skintool"
skin="$(dirname "$exe")/VelmoraLight.asz"
text='VLM7-Q4TD-98KX-M2RF'

probe_to() { wine "$probe" "$1" | tr -d '\r' >"$work/$2"; }
state() { probe_to state state; }
focus() { state && sed -n 's/^focus=//p' "$work/state"; }
get() { sed -n "s/^$2=//p" "$work/$1"; }
clip() { xclip -selection clipboard -o 2>/dev/null; }
# xclip stays in the background until another program takes the clipboard:
# it must not hold the caller's output open (CTest waits for it).
set_clip() { printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1; }
keys() { xdotool key --delay 80 "$@"; sleep 0.5; }

# start: a fresh program in the background ($app), its window shown.
start() {
  launch
  sleep 1
}
# menu: the shown menu into $work/menu; false when none is shown.
menu() {
  for _ in $(seq 30); do
    probe_to menu menu && return 0
    sleep 0.1
  done
  return 1
}
menu_shown() { wine "$probe" menu >/dev/null 2>&1 && echo yes || echo no; }
# items: the shown menu's items as ID FLAGS TEXT, one per line, with the
# flags that decide what can be chosen (separator, grayed, disabled), and the
# text without its underline marks; a line stands for no command, so its id
# is written as "-".
items() {
  get menu item | awk -F'|' '{
    n = split($2, f, ","); flags = ""
    for (i = 1; i <= n; ++i)
      if (f[i] == "separator" || f[i] == "grayed" || f[i] == "disabled")
        flags = flags (flags == "" ? "" : ",") f[i]
    gsub("&", "", $4)
    print (flags ~ /separator/ ? "-" : $1), (flags == "" ? "-" : flags), $4
  }'
}
# item_rect N: the screen rectangle of the menu's item N (0-based) as
# "X Y W H".
item_rect() {
  get menu item | sed -n "$(($1 + 1))p" | cut -d'|' -f3 |
    awk -F, '{print $1, $2, $3 - $1, $4 - $2}'
}

# The window menu of this window: Restore (disabled), Move, Size (disabled),
# a line, Close with its shortcut; nothing the system adds of its own.
expected_items="61728 grayed,disabled Restore
61456 - Move
61440 grayed,disabled Size
- separator 
61536 - Close\tAlt+F4"

# The menu section's background colour as RRGGBB (the colour the skinner
# paints the items over).
menu_color() {
  local h
  h=$("$skintool" info "$skin" | sed -n '/\] MENUITEM  parent/,/normal:/s/.*normal: color \$00\([0-9A-F]\{6\}\).*/\1/p')
  echo "${h:4:2}${h:2:2}${h:0:2}"
}
parent=$(menu_color)
# ring NAME: the image NAME.png with everything but a band of 3 pixels along
# its edges blacked out, where no caption, shortcut or glyph is written.
ring() {
  local w h
  read -r w h <<<"$(identify -format '%w %h' "$work/$1.png")"
  convert "$work/$1.png" -alpha off -fill black -draw "rectangle 3 3 $((w - 4)) $((h - 4))" \
    "$work/$1-ring.png"
}
# face_differs N STATE: pixels of item N on the screen that differ from the
# skin tool's render of the menu section in STATE (0 normal, 1 hot) at the
# item's size, along the item's edges.
face_differs() {
  local x y w h
  read -r x y w h <<<"$(item_rect "$1")"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/item$1.png"
  "$skintool" render "$skin" section MENUITEM "$work/item$1-render.png" --size "${w}x${h}" \
    --ppi "$ppi" --state "$2" --parent "$parent" >/dev/null
  ring "item$1"
  ring "item$1-render"
  compare -metric AE "$work/item$1-ring.png" "$work/item$1-render-ring.png" null: 2>&1
}

scale() { echo $((($1 * ppi + 48) / 96)); }
# glyph_differs N: pixels of item N's glyph on the screen (the item not
# selected) that differ from the skin tool's render of the skin's small close
# image, centred in the 16-pixel glyph column after half the 8-pixel spacing.
glyph_differs() {
  local x y w h gw gh
  read -r x y w h <<<"$(item_rect "$1")"
  "$skintool" render "$skin" mask GLOBALINFO SICONCLOSE "$work/glyph-render.png" --ppi "$ppi" \
    --parent "$parent" >/dev/null
  read -r gw gh <<<"$(identify -format '%w %h' "$work/glyph-render.png")"
  import -window root -crop "${gw}x${gh}+$((x + $(scale 8) / 2 + ($(scale 16) - gw) / 2))+$((y + (h - gh) / 2))" \
    +repage "$work/glyph.png"
  compare -metric AE "$work/glyph.png" "$work/glyph-render.png" null: 2>&1
}

# --- First start: focus, keys, the menu from Alt+Space and 0x313, Alt+F4 ---
start
# The form gives the focus to its panel at first, so neither the field nor
# the button looks focused; Tab then goes through the tab stops in order and
# round, Shift+Tab back.
check "the panel has the focus at first" TsPanel "$(focus)"
tab_order=()
for key in Tab Tab Tab shift+Tab; do
  keys "$key"
  tab_order+=("$key:$(focus)")
done
check "the focus after Tab, Tab, Tab, Shift+Tab" \
  "Tab:TsEdit Tab:TsButton Tab:TsEdit shift+Tab:TsButton" "${tab_order[*]}"

# The field: Tab selects all of it; Shift with the arrows and Home/End select
# parts; Ctrl+C copies the selection.
keys shift+Tab
check "Shift+Tab from the button reaches the field" TsEdit "$(focus)"
set_clip before
keys ctrl+c
check "Tab into the field selects all of it for Ctrl+C" "$text" "$(clip)"
keys Home shift+Right shift+Right shift+Right shift+Right ctrl+c
check "Shift+Right four times selects the first group" "${text:0:4}" "$(clip)"
keys End shift+Left shift+Left shift+Left shift+Left ctrl+c
check "Shift+Left four times from the end selects the last group" "${text: -4}" "$(clip)"
keys Home shift+End ctrl+c
check "Home, Shift+End selects all of it" "$text" "$(clip)"
keys Right ctrl+a ctrl+c
check "Ctrl+A selects all of it" "$text" "$(clip)"

# Space on the button copies the field, as a click does.
keys Tab
check "Tab from the field reaches the button" TsButton "$(focus)"
set_clip before-space
keys space
check "Space on the button copies the field" "$text" "$(clip)"
state
check "the button says it copied" "Скопировано" "$(get state button_text)"

# Alt+Space: the skinned window menu at the title icon's left edge, just
# below the icon (the border window's title is taller than the system's, so
# the menu drops where a press on the icon drops it).
xdotool mousemove 5 5
probe_to frame frame
read -r wx wy _ _ <<<"$(get frame frame_window | tr ',' ' ')"
read -r il _ _ ib <<<"$(get frame frame_icon | tr ',' ' ')"
to_form
keys alt+space
if menu; then
  read -r ml mt _ _ <<<"$(get menu menu_rect | tr ',' ' ')"
  check "Alt+Space opens the menu at the icon's left edge" "$((wx + il))" "$ml"
  check "Alt+Space opens the menu just below the icon" "$((wy + ib))" "$mt"
  check "the menu has exactly the window menu's items and states" \
    "$(printf '%b' "$expected_items")" "$(printf '%b' "$(items)")"
  check "Move is drawn as the menu section's normal face" 0 "$(face_differs 1 0)"
  check "Restore, disabled, is drawn on the normal face" 0 "$(face_differs 0 0)"
  check "Close shows the skin's small close image" 0 "$(glyph_differs 4)"
  # Down selects the first item, disabled Restore, which never lights; the
  # next Down lights Move.
  keys Down Down
  check "the selected Move is drawn as the menu section's hot face" 0 "$(face_differs 1 1)"
else
  check "Alt+Space opens the window menu" shown none
fi
keys Escape
check "Esc closes the menu" no "$(menu_shown)"
check "the program runs on after Esc" "$text" "$(state && get state edit_text)"

# The taskbar's request (0x313, sent by another process): the menu opens at
# the mouse cursor.
cx=$(($(get state edit_center | cut -d, -f1) - 40))
cy=$(get state edit_center | cut -d, -f2)
xdotool mousemove "$cx" "$cy"
sleep 0.3
wine "$probe" sysmenu
if menu; then
  check "0x313 opens the menu at the cursor" "$cx,$cy" "$(get menu menu_rect | cut -d, -f1,2)"
  check "0x313 shows the same items" "$(printf '%b' "$expected_items")" "$(printf '%b' "$(items)")"
else
  check "0x313 opens the window menu" shown none
fi
keys Escape
check "Esc closes the menu opened by 0x313" no "$(menu_shown)"
# The same request to the application window reaches the main form's menu.
cx=$((cx + 30))
xdotool mousemove "$cx" "$cy"
sleep 0.3
wine "$probe" sysmenu app
if menu; then
  check "0x313 to the application window opens the menu at the cursor" "$cx,$cy" \
    "$(get menu menu_rect | cut -d, -f1,2)"
else
  check "0x313 to the application window opens the window menu" shown none
fi
keys Escape
check "Esc closes that menu too" no "$(menu_shown)"

to_form
keys alt+F4
ended
check "Alt+F4 ends the program with exit code 0" 0 "$rc"

# --- Second start: Enter on the button, Close from the menu by keys ---
start
set_clip before-enter
keys Tab Tab
check "two Tabs reach the button" TsButton "$(focus)"
keys Return
check "Enter on the button copies the field" "$text" "$(clip)"
xdotool mousemove 5 5
to_form
keys alt+space
if menu; then
  # Up from nothing selected selects the last item.
  keys Up
  check "the selected Close is drawn as the menu section's hot face" 0 "$(face_differs 4 1)"
fi
keys Return
ended
check "Close chosen by keys ends the program with exit code 0" 0 "$rc"

# --- Third start: Close from the menu by a click ---
start
xdotool mousemove 5 5
sleep 0.3
wine "$probe" sysmenu
if menu; then
  read -r x y w h <<<"$(item_rect 4)"
  xdotool mousemove $((x + w / 2)) $((y + h / 2))
  sleep 0.3
  xdotool click 1
else
  check "0x313 opens the window menu" shown none
fi
ended
check "Close clicked in the menu ends the program with exit code 0" 0 "$rc"

e2e_finish
