# What the end-to-end scripts share, sourced after they set exe, probe and ppi:
# the display and Wine prefix (the caller's, set up by scripts/test.sh, or a
# private one beside the program; at another resolution than 96 PPI a second
# prefix whose LogPixels is that resolution), a work folder, check, and
# e2e_finish for the summary and exit code; the probe's state, screenshots
# of screen rectangles and their comparison, and the panel's face against the
# skin tool's render. AC_KEEP_E2E keeps the work folder.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
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

skintool="$root/build/host/tools/skintool/skintool"
skin="$(dirname "$exe")/VelmoraLight.asz"

# The running window's facts as e2e_probe reads them from outside (State in
# app/e2e_probe.cpp), and one of them by key.
state() { wine "$probe" state | tr -d '\r' >"$work/state"; }
get() { sed -n "s/^$1=//p" "$work/state"; }
# A designed length (at 96 PPI) at the resolution under test.
scale() { echo $((($1 * ppi + 48) / 96)); }

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

# The panel's face on the screen against the skin tool's render of PANEL.
# panel_setup reads, from the last state, the panel's size (pw, ph) and
# screen place (px, py), the face colour and the colour of the form's client
# area (form_color, form_client) and what covers the face: the
# field and the button (windows of their own) and the labels' designed
# places, scaled, with a margin for rounding.
panel_setup() {
  read -r pw ph <<<"$(get panel | awk -F, '{print $3, $4}')"
  read -r px py <<<"$(get panel_screen | tr ',' ' ')"
  form_color=$(get form_color)
  form_client=$(get form_client)
  cover=()
  local r
  for r in "$(get edit_in_panel)" "$(get button_in_panel)"; do
    cover+=(-draw "rectangle ${r//,/ }")
  done
  for r in "96 2 161 15" "29 66 253 92" "166 79 202 92"; do
    set -- $r
    cover+=(-draw "rectangle $(($(scale $1) - 2)) $(($(scale $2) - 2)) $(($(scale $3) + 2)) $(($(scale $4) + 2))")
  done
}
# panel_shot NAME: the panel as the screen shows it, and NAME-covered with
# the children blacked out.
panel_shot() {
  import -window root -crop "${pw}x${ph}+${px}+${py}" +repage "$work/$1.png"
  convert "$work/$1.png" -alpha off -fill black "${cover[@]}" "$work/$1-covered.png"
}
# render_panel SKIN NAME [PPI]: the skin tool's PANEL at the panel's size,
# covered.
render_panel() {
  "$skintool" render "$1" section PANEL "$work/$2.png" --size "${pw}x${ph}" --ppi "${3:-$ppi}" \
    --parent "$form_client" >/dev/null
  convert "$work/$2.png" -alpha off -fill black "${cover[@]}" "$work/$2-covered.png"
}
differs() { compare -metric AE "$work/$1-covered.png" "$work/$2-covered.png" null: 2>&1; }
# The normal-state font colour of SKIN's PANEL section as RRGGBB.
panel_font() {
  local h
  h=$("$skintool" info "$1" | sed -n '/\] PANEL  parent/,/normal:/s/.*normal:.*font \$00\([0-9A-F]\{6\}\).*/\1/p')
  echo "${h:4:2}${h:2:2}${h:0:2}"
}
# count_color NAME X Y W H RRGGBB: pixels of exactly that colour in the
# rectangle (designed coordinates) of the shot NAME.
count_color() {
  convert "$work/$1.png" -crop "$(scale $4)x$(scale $5)+$(scale $2)+$(scale $3)" +repage txt:- |
    grep -ci "#$6"
}

# ended: waits up to ten seconds for the program started as $app to end and
# sets rc to its exit code, or to "running" (and stops it). Not in a command
# substitution: only the shell that started the program can wait for it.
ended() {
  rc=running
  for _ in $(seq 100); do
    if ! kill -0 $app 2>/dev/null; then
      wait $app
      rc=$?
      return
    fi
    sleep 0.1
  done
  kill $app 2>/dev/null
}

# to_form: gives the main window the X input focus. Without a window manager
# the display's focus may follow the pointer, or stay with another window.
to_form() { xdotool search --name "^Velmora — " windowfocus --sync 2>/dev/null; sleep 0.2; }

# Removes the work folder and ends with the checks' verdict.
e2e_finish() {
  [ -n "${AC_KEEP_E2E:-}" ] || rm -rf "$work"
  if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed at $ppi ppi"
}
