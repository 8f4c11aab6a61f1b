# What the end-to-end scripts share, sourced after they set exe, probe and ppi:
# the display and Wine prefix (private to this run: a prefix per resolution
# beside the program, whose LogPixels is that resolution), a work folder, check, and
# e2e_finish for the summary and exit code; the probe's state, screenshots
# of screen rectangles and their comparison, and the panel's face against the
# skin tool's render; start_app and the witness log (below). AC_KEEP_E2E keeps
# the work folder.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/winenv.sh"

# A display and a Wine prefix of its own at its resolution (scripts/winenv.sh,
# winenv_lane): the unit tests and a run in another lane (AC_E2E_LANE, by
# default one per resolution) may go on beside it.
# also_on_exit COMMAND: runs COMMAND too when the script ends, before the
# display and prefix go. Whatever ends the run must end every process it
# started: CTest waits for each one that holds the run's output.
on_exit=()
also_on_exit() { on_exit+=("$1"); }
trap 'for c in "${on_exit[@]}"; do eval "$c"; done; winenv_stop' EXIT
winenv_display
winenv_lane "$(cd "$(dirname "$exe")/.." && pwd)" "${AC_E2E_LANE:-e2e-$ppi}" "$ppi" || {
  echo "FAIL no Wine prefix at $ppi ppi"
  exit 1
}

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

# The witness: Wine, like 64-bit Windows, swallows an access violation raised
# while a window procedure answers a message, and the program limps on; only
# Wine's exception log sees it. start_app [ARGS...] starts the program ($exe)
# in the background as $app with that log (+seh) and the heap's complaints
# (warn+heap: a block freed twice or a pointer that is no block), its
# standard error in $work/witness-N.log; e2e_finish fails on any fatal
# exception or heap complaint the log shows. Its cost is small (see the
# README); AC_E2E_WITNESS=0 runs the program without it.
witness=${AC_E2E_WITNESS:-1}
app_runs=0
start_app() {
  app_runs=$((app_runs + 1))
  # Nothing of it holds the caller's output open, not even a debugger that a
  # crash starts.
  if [ "$witness" != 0 ]; then
    WINEDEBUG=+seh,warn+heap wine "$exe" "$@" >/dev/null 2>"$work/witness-$app_runs.log" &
  else
    wine "$exe" "$@" >/dev/null &
  fi
  app=$!
}
# launch [ARGS...]: start_app, then wait_for_window: up to a minute for the
# main window; the script ends there (and with it every process of its
# prefix) when it does not appear.
launch() {
  start_app "$@"
  wait_for_window
}
# wait_for_dialog: up to ten seconds for a message box of the program;
# false when none came.
wait_for_dialog() {
  local _
  for _ in $(seq 50); do
    wine "$probe" dialog 2>/dev/null | tr -d '\r' >"$work/dialog" && return 0
    sleep 0.2
  done
  return 1
}
wait_for_window() {
  if ! wine "$probe" wait 60; then
    echo "FAIL the window did not appear"
    exit 1
  fi
}
# Exceptions that no program survives unharmed: access violation, heap
# corruption, stack buffer overrun (fail-fast), stack overflow, illegal and
# privileged instruction, integer division by zero, invalid handle. C++
# exceptions (20474343 for gcc's) and Wine's own probing are not among them.
witness_codes='c0000005|c0000374|c0000409|c00000fd|c000001d|c0000096|c0000094|c0000008'
# witness_faults: prints each fatal exception of the program's logs so far
# with its context (the exception line, the function of the program it lies
# in, the registers) and the heap's complaints, and the number of them last.
witness_faults() {
  local n=0 log line addr
  for log in "$work"/witness-*.log; do
    [ -f "$log" ] || continue
    while IFS=: read -r line _; do
      n=$((n + 1))
      echo "---- $(basename "$log"):$line"
      sed -n "${line}p" "$log" | cut -c1-300
      addr=$(sed -n "${line}p" "$log" | grep -oE 'addr=[0-9A-Fa-f]+' | head -1 | cut -c6-)
      [ -n "$addr" ] && witness_symbol "$addr"
      sed -n "$((line + 1)),$((line + 8))p" "$log" | grep -E ':seh:dispatch_exception  +r' |
        cut -c1-200
    done < <(grep -nE "dispatch_exception code=($witness_codes)|err:heap|warn:heap" "$log")
  done
  echo "$n"
}
# witness_symbol ADDRESS: the program's function (from its symbol table) that
# holds ADDRESS, when it holds it.
witness_symbol() {
  command -v x86_64-w64-mingw32-nm >/dev/null || return 0
  local at
  at=$(printf '%016x' "0x$1")
  x86_64-w64-mingw32-nm -n -C --defined-only "$exe" 2>/dev/null |
    awk -v at="$at" '$2 ~ /^[Tt]$/ && tolower($1) <= at { name = $0 } END {
      if (name != "") { sub(/^[0-9a-f]+ [Tt] /, "", name); print "     in " name " (program, nearest symbol below)" } }'
}
# Records the witness's verdict as a check (once per script, at the end).
witness_check() {
  [ "$witness" != 0 ] || return 0
  local out
  out=$(witness_faults)
  [ "$(tail -n 1 <<<"$out")" == 0 ] || sed '$d' <<<"$out"
  check "no access violation or heap fault in the program's exception log" 0 "$(tail -n 1 <<<"$out")"
}

skintool="$root/build/host/tools/skintool/skintool"
skin="$(dirname "$exe")/VelmoraLight.asz"

# The running window's facts as e2e_probe reads them from outside (State in
# tools/e2e_probe), and one of them by key.
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
  witness_check
  [ -n "${AC_KEEP_E2E:-}" ] || rm -rf "$work"
  if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed at $ppi ppi"
}
