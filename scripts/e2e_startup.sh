#!/usr/bin/env bash
# Measures how long the program takes from launch until its window is on the
# display, against the same window made with bare Win32 (startup_reference),
# alternating the two in one run, and prints the medians and their ratio.
#
#   e2e_startup.sh [BUILD_DIR] [RUNS]     (default build/win, 9 runs each)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
runs=${2:-9}
source "$root/scripts/winenv.sh"
trap winenv_stop EXIT
winenv_start "$build"

# Milliseconds from launching EXE until an X window named NAME is mapped.
measure() {
  local exe=$1 name=$2 start end pid
  start=$(date +%s%N)
  wine "$exe" >/dev/null 2>&1 &
  pid=$!
  until xwininfo -root -tree 2>/dev/null | grep -q "\"$name\""; do
    if ! kill -0 $pid 2>/dev/null || [ $(($(date +%s%N) - start)) -gt 30000000000 ]; then
      echo "$exe did not show its window" >&2
      exit 1
    fi
    sleep 0.005
  done
  end=$(date +%s%N)
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
  sleep 0.3
  echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

# One untimed start each warms the prefix and the file cache.
measure "$build/app/Velmora.exe" "Velmora — ключ продукта" >/dev/null
measure "$build/app/startup_reference.exe" "Velmora reference" >/dev/null
app=() ref=()
for _ in $(seq "$runs"); do
  app+=("$(measure "$build/app/Velmora.exe" "Velmora — ключ продукта")")
  ref+=("$(measure "$build/app/startup_reference.exe" "Velmora reference")")
done
a=$(printf '%s\n' "${app[@]}" | median)
r=$(printf '%s\n' "${ref[@]}" | median)
echo "Velmora:           ${app[*]} ms (median $a)"
echo "bare Win32 window: ${ref[*]} ms (median $r)"
awk -v a="$a" -v r="$r" 'BEGIN { printf "ratio: %.2f\n", a / r }'
