#!/usr/bin/env bash
# Runs one Windows test program under Wine for CTest. In a loaded run, Wine
# now and then fails to bring a process up at all: it exits before the
# program prints a line. Only such a start is tried once more; a program that
# ran and failed is never run again. Every failure names its exit code.
#
# The program's output and errors go through a file, not a pipe: a process
# Wine starts on the program's behalf (the desktop, a service) may inherit
# them and keep a pipe open long after the program ended. (In a whole run the
# first test that shows a window took two minutes to end while its error
# output still went to CTest's pipe.)
set -uo pipefail
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
  : >"$out"
  wine "$@" >"$out" 2>&1 &
  pid=$!
  tail -f -s 0.05 --pid="$pid" "$out"
  wait "$pid"
  rc=$?
  [ "$rc" -eq 0 ] && exit 0
  if [ -s "$out" ]; then
    echo "wine_test: $(basename "$1") exited with code $rc" >&2
    exit "$rc"
  fi
  echo "wine_test: Wine started $(basename "$1") but it printed nothing and exited with code $rc (try $attempt)" >&2
done
exit "$rc"
