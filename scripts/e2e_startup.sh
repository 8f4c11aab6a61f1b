#!/usr/bin/env bash
# Measures how long the program takes from launch until its window is made
# and until it is on the display (mapped), against the same window made with
# bare Win32 (startup_reference), alternating the two in one run, and prints
# the medians and their ratios.
#
# The display reports both moments itself: one X client listens to every
# window made and mapped on the screen. Asking the display over and over
# instead would take the processor from the program being measured, and the
# more windows a program makes, the more it would lose. For the same reason
# the clock is bash's own: starting date(1) for every event would delay each
# later event, so the more windows came before, the later the one that counts.
#
#   e2e_startup.sh [BUILD_DIR] [RUNS]     (default build/win, 9 runs each)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
runs=${2:-9}
source "$root/scripts/winenv.sh"
trap 'winenv_stop; [ -n "${EVENTS_PID:-}" ] && kill "$EVENTS_PID" 2>/dev/null' EXIT
winenv_start "$build"

coproc EVENTS { exec stdbuf -oL xev -root -event substructure; }
sleep 0.3
declare -A made_at

# Prints "MADE SHOWN": milliseconds from launching EXE until the display
# made, then mapped, the window named NAME.
measure() {
  local exe=$1 name=$2 start line event id now pid shown=""
  while read -r -t 0.05 line <&"${EVENTS[0]}"; do :; done
  made_at=()
  start=${EPOCHREALTIME//[!0-9]/}
  wine "$exe" >/dev/null 2>&1 &
  pid=$!
  while read -r -t 30 line <&"${EVENTS[0]}"; do
    case $line in
      CreateNotify* | MapNotify*) ;;
      *) continue ;;
    esac
    now=${EPOCHREALTIME//[!0-9]/}
    event=${line%% *}
    # The window is named on the event's second line.
    read -r line <&"${EVENTS[0]}"
    id=${line#*window }
    id=${id%%,*}
    if [ "$event" = CreateNotify ]; then
      made_at[$id]=$now
    elif xwininfo -id "$id" 2>/dev/null | grep -qF "\"$name\""; then
      shown=$now
      break
    fi
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  if [ -z "$shown" ] || [ -z "${made_at[$id]:-}" ]; then
    echo "$exe did not show its window" >&2
    exit 1
  fi
  sleep 0.3
  echo "$(((made_at[$id] - start) / 1000)) $(((shown - start) / 1000))"
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

app_name="Velmora — ключ продукта"
ref_name="Velmora reference"
# One untimed start each warms the prefix and the file cache.
measure "$build/app/Velmora.exe" "$app_name" >/dev/null || exit 1
measure "$build/tools/startup_reference.exe" "$ref_name" >/dev/null || exit 1
app_made=() app_shown=() ref_made=() ref_shown=()
for _ in $(seq "$runs"); do
  times=$(measure "$build/app/Velmora.exe" "$app_name") || exit 1
  read -r made shown <<<"$times"
  app_made+=("$made") app_shown+=("$shown")
  times=$(measure "$build/tools/startup_reference.exe" "$ref_name") || exit 1
  read -r made shown <<<"$times"
  ref_made+=("$made") ref_shown+=("$shown")
done
report() {
  local what=$1
  shift
  local n=$(($# / 2))
  local a=("${@:1:n}") r=("${@:n+1}")
  local am rm
  am=$(printf '%s\n' "${a[@]}" | median)
  rm=$(printf '%s\n' "${r[@]}" | median)
  echo "window $what:"
  echo "  Velmora:           ${a[*]} ms (median $am)"
  echo "  bare Win32 window: ${r[*]} ms (median $rm)"
  awk -v a="$am" -v r="$rm" 'BEGIN { printf "  ratio: %.2f\n", a / r }'
}
report made "${app_made[@]}" "${ref_made[@]}"
report shown "${app_shown[@]}" "${ref_shown[@]}"
