#!/usr/bin/env bash
# Checks the formatting and the handle calls, then builds and runs every suite:
# the hostile skins against the optimised skin tool with their time and memory
# limits, the native tests (ASan + UBSan), a short run of every fuzz target,
# and the Windows tests under Wine in a private virtual display. Every stage
# runs even when an earlier one failed; the exit code is non-zero if any
# failed, and the stages' times close the output.
#
# The builds and the timed hostile-skin runs have the machine to themselves.
# The Windows tests mostly wait for windows to appear, paint and fade, so the
# native tests and the fuzzers run beside them, below them in priority, with
# their output kept until the Windows tests are done.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
fuzz_seconds=${AC_FUZZ_SECONDS:-20}
failed=()
times=()
started=$SECONDS

stage() { echo; echo "==== $*"; }
# timed NAME COMMAND...: runs COMMAND, records its time, and NAME as failed
# when it fails.
timed() {
  local name=$1 from=$SECONDS rc
  shift
  "$@"
  rc=$?
  times+=("$(printf '%5d s  %s' $((SECONDS - from)) "$name")")
  [ $rc -eq 0 ] || failed+=("$name")
  return $rc
}

bash scripts/deps.sh || exit 1

stage "format: clang-format check"
timed "format" bash scripts/format_check.sh

stage "handles: no bare handle calls outside win32/"
timed "raw handles" bash scripts/raw_handles_check.sh

stage "host tools: build"
if timed "host build" bash scripts/build.sh host; then
  stage "hostile skins: within 2 s and 300 MB each (optimised build)"
  timed "hostile skins" bash scripts/hostile_skins.sh build/host/tools/skintool/skintool \
    build/host/hostile
fi

stage "native: build"
timed "native build" bash scripts/build.sh native
native_built=$?

stage "windows: build"
win_built=1
if [ ! -x build/host/tools/skintool/skintool ]; then
  failed+=("windows build (it needs the host tools)")
elif timed "windows build" bash scripts/build.sh win; then
  win_built=0
fi

# The native suites, then every fuzz target for a while.
native_suites() {
  stage "native: tests"
  timed "native tests" ctest --preset native
  stage "fuzz: ${fuzz_seconds}s per target"
  local target name work corpora
  for target in build/native/fuzz/*_fuzz; do
    # Their work folders lie beside them.
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    work="build/native/fuzz/work-$name"
    rm -rf "$work" && mkdir -p "$work"
    corpora=("$work")
    [ -d "fuzz/corpus/${name%_fuzz}" ] && corpora+=("fuzz/corpus/${name%_fuzz}")
    echo "-- $name"
    if ! timed "fuzz $name" "$target" -max_total_time="$fuzz_seconds" -timeout=10 \
        -rss_limit_mb=2048 "${corpora[@]}" >"$work.log" 2>&1; then
      tail -n 40 "$work.log"
    else
      grep -E '^(#[0-9]+ *DONE|Done)' "$work.log" | tail -n 1
    fi
  done
  # The parent shell learns the verdicts from this file.
  printf '%s\n' "${failed[@]}" >build/native/failed.txt
  printf '%s\n' "${times[@]}" >build/native/times.txt
}

native_log=build/native/suites.log
native_pid=
if [ $native_built -eq 0 ]; then
  (
    failed=() times=()
    renice -n 10 -p $BASHPID >/dev/null
    native_suites
  ) >"$native_log" 2>&1 &
  native_pid=$!
fi

if [ $win_built -eq 0 ]; then
  stage "windows: tests under Wine"
  source scripts/winenv.sh
  trap winenv_stop EXIT
  winenv_start "$root/build/win"
  timed "windows tests" ctest --preset win
  winenv_stop
fi

if [ -n "$native_pid" ]; then
  wait "$native_pid"
  cat "$native_log"
  mapfile -t more <build/native/failed.txt
  for f in "${more[@]}"; do [ -n "$f" ] && failed+=("$f"); done
  mapfile -t more <build/native/times.txt
  for t in "${more[@]}"; do [ -n "$t" ] && times+=("$t"); done
fi

echo
echo "==== times (the native suites ran beside the Windows tests)"
printf '%s\n' "${times[@]}"
printf '%5d s  %s\n' $((SECONDS - started)) "all"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All suites passed."
