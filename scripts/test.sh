#!/usr/bin/env bash
# Checks the formatting, then builds and runs every suite: the native tests
# (ASan + UBSan), a short run of every fuzz target, the hostile skins against
# the optimised skin tool with their time and memory limits, then the Windows
# tests under Wine in a private virtual display. Every stage runs even when an
# earlier one failed; the exit code is non-zero if any failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
fuzz_seconds=${AC_FUZZ_SECONDS:-20}
failed=()

stage() { echo; echo "==== $*"; }

bash scripts/deps.sh || exit 1

stage "format: clang-format check"
bash scripts/format_check.sh || failed+=("format")

stage "handles: no bare handle calls outside win32/"
bash scripts/raw_handles_check.sh || failed+=("raw handles")

stage "native: build"
if bash scripts/build.sh native; then
  stage "native: tests"
  ctest --preset native || failed+=("native tests")

  stage "fuzz: ${fuzz_seconds}s per target"
  for target in build/native/fuzz/*_fuzz; do
    # Their work folders lie beside them.
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    work="build/native/fuzz/work-$name"
    rm -rf "$work" && mkdir -p "$work"
    corpora=("$work")
    [ -d "fuzz/corpus/${name%_fuzz}" ] && corpora+=("fuzz/corpus/${name%_fuzz}")
    echo "-- $name"
    if ! "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
        "${corpora[@]}" >"$work.log" 2>&1; then
      tail -n 40 "$work.log"
      failed+=("fuzz $name")
    else
      grep -E '^(#[0-9]+ *DONE|Done)' "$work.log" | tail -n 1
    fi
  done
else
  failed+=("native build")
fi

stage "host tools: build"
if bash scripts/build.sh host; then
  stage "hostile skins: within 2 s and 300 MB each (optimised build)"
  bash scripts/hostile_skins.sh build/host/tools/skintool/skintool build/host/hostile ||
    failed+=("hostile skins")
else
  failed+=("host build")
fi

stage "windows: build"
if [ -x build/host/tools/skintool/skintool ] && bash scripts/build.sh win; then
  stage "windows: tests under Wine"
  source scripts/winenv.sh
  trap winenv_stop EXIT
  winenv_start "$root/build/win"
  ctest --preset win || failed+=("windows tests")
  winenv_stop
else
  failed+=("windows build")
fi

echo
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All suites passed."
