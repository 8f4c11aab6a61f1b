#!/usr/bin/env bash
# Drives the real program under Wine in a virtual display, as a user would,
# and checks what it does from outside: window facts through e2e_probe (another
# process asking the window with messages), the clipboard through xclip, the
# link through a stand-in for the system's URL opener.
#
#   e2e_app.sh VELMORA.EXE E2E_PROBE.EXE PIXELS_PER_INCH
#
# Display, Wine prefix and the checks' bookkeeping: scripts/e2e_common.sh.
set -uo pipefail
exe=$1
probe=$2
ppi=${3:-96}
source "$(dirname "$0")/e2e_common.sh"
handles() { wine "$probe" handles | tr -d '\r' | paste -sd' '; }
clip() { xclip -selection clipboard -o 2>/dev/null; }
# xclip stays in the background until another program takes the clipboard:
# it must not hold the caller's output open (CTest waits for it).
set_clip() { printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1; }
click() { xdotool mousemove ${1/,/ } click 1; sleep 1; }

# The system's URL opener: Wine's winebrowser hands web links to xdg-open.
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<OPENER
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened"
OPENER
chmod +x "$work/bin/xdg-open"

expected_client="$(scale 262)x$(scale 102)"
text='VLM7-Q4TD-98KX-M2RF'
url='https://ru.wikipedia.org/wiki/Буфер_обмена'

PATH="$work/bin:$PATH" launch
sleep 1

state
check "one form, with its border and shadow windows" 3 "$(get windows)"
check "client size at $ppi ppi" "$expected_client" "$(get client)"
check "the panel has the focus" TsPanel "$(get focus)"
check "button caption" "Копировать" "$(get button_text)"
check "button enabled" 1 "$(get button_enabled)"
check "field is read-only" 1 "$(get edit_readonly)"
check "the form has no owner" "" "$(get owner)"
check "the program has its application window" TApplication "$(get application)"
check "the application window is message-only" 1 "$(get application_message_only)"
check "the panel names its skin data" 1 "$(get panel_acsdata)"
check "the panel answers as skinned" 1 "$(get panel_skinned)"
check "the panel answers as a panel (kind 12, PANEL)" 12 "$(get panel_kind)"
check "the panel's section is in the skin" 1 "$(get panel_section_found)"
# The panel's face is the skin tool's render of its section at its size,
# exactly, outside the windows and labels over it.
panel_setup
panel_shot panel
render_panel "$skin" render
check "the panel's face equals the PANEL render at $ppi ppi" 0 "$(differs panel render)"
font=$(panel_font "$skin")
check "the key label writes in the PANEL font colour #$font" yes \
  "$([ "$(count_color panel 96 2 65 13 "$font")" -gt 0 ] && echo yes || echo no)"
check "the explanation writes in the PANEL font colour" yes \
  "$([ "$(count_color panel 29 66 224 12 "$font")" -gt 0 ] && echo yes || echo no)"
check "the link label shows no box of its own colour" 0 \
  "$(count_color panel 166 79 36 13 "$form_color")"
button=$(get button_center)
edit=$(get edit_center)
link=$(get link_center)

# The program's own count of its GDI and USER objects, read from outside.
counts=$(handles)
check "handle counts are readable" yes \
  "$(echo "$counts" | grep -qE '^gdi=[1-9][0-9]* user=[1-9][0-9]*$' && echo yes || echo "$counts")"
xdotool mousemove ${button/,/ }; sleep 0.5
xdotool mousemove ${edit/,/ }; sleep 0.5
xdotool mousemove 5 5; sleep 0.5
check "hovering leaves the handle counts as they were" "$counts" "$(handles)"

set_clip before-first-click
click "$button"
check "first click copies the field" "$text" "$(clip)"
state
check "caption after the click" "Скопировано" "$(get button_text)"
check "button disabled after the click" 0 "$(get button_enabled)"

set_clip before-second-click
click "$button"
check "second click copies nothing" before-second-click "$(clip)"
state
check "caption after a second click" "Скопировано" "$(get button_text)"
check "still disabled after a second click" 0 "$(get button_enabled)"

click "$link"
for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.2; done
check "the link reaches the URL opener" "$url" "$(head -n 1 "$work/opened" 2>/dev/null)"

# Selection and copy from the keyboard: scripts/e2e_keyboard.sh.
click "$edit"
xdotool type --delay 50 "abc"
xdotool key BackSpace Delete
sleep 0.5
state
check "typing leaves the read-only field alone" "$text" "$(get edit_text)"
check "the field has the focus after a click" TsEdit "$(get focus)"

# Skins sent to the running program from another process (skinsend, the
# editor preview channel): the dark skin paints the panel as its render, the
# light one brings back the same pixels, switching the skin off shows the
# plain panel; switching many times holds no extra handles, and a malformed
# skin is reported in a message box while the old skin stays.
skinsend="$(dirname "$probe")/skinsend.exe"
light=$(winepath -w "$root/skins/VelmoraLight" 2>/dev/null)
dark=$(winepath -w "$root/skins/VelmoraDark" 2>/dev/null)
send() { wine "$skinsend" "$@" 2>&1 | tr -d '\r'; }
settle() { sleep 1; }
panel_shot before
check "the dark skin folder is applied" "applied VelmoraDark" "$(send "$dark")"
settle
panel_shot dark
# The panel's corners show the dark form's client colour.
state
panel_setup
render_panel "$root/skins/VelmoraDark" dark-render
check "the dark skin paints the PANEL render of the dark skin" 0 "$(differs dark dark-render)"
check "the labels write in the dark PANEL font colour" yes \
  "$([ "$(count_color dark 96 2 65 13 "$(panel_font "$root/skins/VelmoraDark")")" -gt 0 ] &&
    echo yes || echo no)"
check "the light skin folder is applied" "applied VelmoraLight" "$(send "$light")"
settle
panel_shot after
check "the light skin brings back the panel byte for byte" 0 "$(differs before after)"
check "the skin can be switched off" "skin off" "$(send --off)"
settle
panel_shot plain
convert "$work/plain.png" -alpha off -fill "#$form_color" "${cover[@]}" -shave 2x2 "$work/plain-inner.png"
convert -size "$((pw - 4))x$((ph - 4))" "xc:#$form_color" "$work/window-colour.png"
check "without a skin the panel is the plain window colour inside its bevel" 0 \
  "$(compare -metric AE "$work/plain-inner.png" "$work/window-colour.png" null: 2>&1)"
send "$light" >/dev/null
settle
panel_shot again
check "switching the skin on again brings back the panel" 0 "$(differs before again)"
counts=$(handles)
check "a hundred more switches are applied" "applied VelmoraLight" \
  "$(send "$dark" "$light" --repeat 50)"
check "a hundred switches leave the handle counts as they were" "$counts" "$(handles)"
mkdir -p "$work/Broken"
printf '[GLOBALINFO]\r\nVERSION=15.00\r\nBTNCOLOR1ACTIVE=green\r\n' >"$work/Broken/Options.dat"
wine "$skinsend" "$(winepath -w "$work/Broken")" >/dev/null 2>&1 &
sender=$!
# The program's error box is modal and takes the keyboard: Return closes it.
wait_for_dialog
xdotool key Return
wait $sender
check "a malformed skin is refused with the load error" 3 "$?"
state
check "the program keeps working after a refused skin" "$text" "$(get edit_text)"
check "the light skin is still in use" "applied VelmoraLight" "$(send "$light" --section PANEL)"

# The exit codes of Alt+F4 and of Close from the window menu:
# scripts/e2e_keyboard.sh.
xdotool key alt+F4
for _ in $(seq 100); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill $app 2>/dev/null

e2e_finish
