#!/usr/bin/env bash
# Runs the skin tool on every hand-made hostile skin (tools/hostile) and prints
# the time and peak memory of each run: "skintool check" (which loads the skin
# at 96, 120, 144 and 192 pixels per inch in one program), "skintool info
# --ppi N" for each of those resolutions (a program started at N) and
# "skintool render ... sheet" (every section painted at 96).
#
#   scripts/hostile_skins.sh [--no-limits] SKINTOOL WORK_DIR
#
# A run fails when the tool crashes, dies of a signal (or hangs past
# AC_HOSTILE_TIMEOUT seconds, 120 by default), reports a sanitizer
# error or an uncaught exception, exits with anything but 0 (loaded) or 1
# (refused with a message), or exits with 0 after printing an error. With
# limits (the default, for the optimised build) a run must also finish within
# 2 s and 300 MB. --no-limits is for the
# sanitizer build, which is several times slower and larger by design.
set -uo pipefail
cd "$(dirname "$0")/.."

limits=1
if [ "${1:-}" = "--no-limits" ]; then
  limits=0
  shift
fi
if [ $# -ne 2 ]; then
  echo "usage: $0 [--no-limits] SKINTOOL WORK_DIR" >&2
  exit 2
fi
tool=$(realpath "$1")
work=$2
max_seconds=2
max_kb=$((300 * 1024))
# A run that hangs is stopped; the optimised build has no business near this.
hang_seconds=${AC_HOSTILE_TIMEOUT:-120}

[ -x /usr/bin/time ] || { echo "$0: /usr/bin/time is missing (scripts/deps.sh installs it)" >&2; exit 2; }

# The cases are made again only when the generator changed.
generator=tools/hostile/make_hostile_skins.py
stamp="$work/cases/.made-by"
mkdir -p "$work/cases" "$work/logs"
if [ ! -f "$stamp" ] || ! cmp -s "$stamp" "$generator"; then
  rm -rf "$work/cases"
  mkdir -p "$work/cases"
  python3 "$generator" "$work/cases" >"$work/cases.txt" || exit 1
  cp "$generator" "$stamp"
fi

failed=0
printf '%-26s %-14s %5s %8s %9s  %s\n' case run exit seconds "peak MB" result
while read -r name path; do
  for run in check 96 120 144 192 sheet; do
    case $run in
      check) args=(check "$path") ;;
      sheet) args=(render "$path" sheet "$work/logs/$name.sheet.png") ;;
      *) args=(info --ppi "$run" "$path") ;;
    esac
    log="$work/logs/$name.$run"
    /usr/bin/time -f '%e %M' -o "$log.time" timeout -s KILL "$hang_seconds" "$tool" "${args[@]}" >"$log.out" 2>"$log.err"
    rc=$?
    read -r seconds kb <"$log.time" 2>/dev/null || { seconds=0; kb=0; }
    # /usr/bin/time writes "Command exited with non-zero status N" first.
    if grep -q 'non-zero status\|signal' "$log.time"; then
      read -r seconds kb < <(tail -n 1 "$log.time")
    fi
    verdict=ok
    if [ $rc -ne 0 ] && [ $rc -ne 1 ]; then
      verdict="exit $rc"
    elif grep -q 'Sanitizer\|runtime error:\|terminate called\|std::bad_alloc' "$log.err"; then
      verdict="fault (see $log.err)"
    elif [ $rc -eq 0 ] && [ "$run" != sheet ] && grep -q '^error:' "$log.out"; then
      verdict="exit 0 after an error"
    elif [ $limits -eq 1 ] && awk -v s="$seconds" -v m="$max_seconds" 'BEGIN { exit !(s > m) }'; then
      verdict="over ${max_seconds} s"
    elif [ $limits -eq 1 ] && [ "$kb" -gt $max_kb ]; then
      verdict="over 300 MB"
    fi
    [ "$verdict" = ok ] || failed=$((failed + 1))
    label="${args[0]}"
    [ "$run" = check ] || label="${args[0]} $run"
    printf '%-26s %-14s %5d %8.2f %9.1f  %s\n' "$name" "$label" $rc "$seconds" \
      "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')" "$verdict"
    if [ "$verdict" != ok ]; then
      sed 's/^/    /' "$log.err" | head -n 5
    fi
  done
done <"$work/cases.txt"

if [ $failed -gt 0 ]; then
  echo "hostile skins: $failed run(s) failed"
  exit 1
fi
echo "hostile skins: every run within limits"
