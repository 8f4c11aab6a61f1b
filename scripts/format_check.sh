#!/usr/bin/env bash
# Checks that every tracked C++ source and header is formatted as .clang-format
# says and lists the ones that are not; the exit code is 1 when any is not.
#   format_check.sh          check
#   format_check.sh --fix    format the offenders in place
# The formatter is clang-format 14 (Debian's clang-format-14, installed by
# scripts/deps.sh): other versions lay out some constructs differently.
set -euo pipefail
cd "$(dirname "$0")/.."
fmt=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$fmt" ]; then
  echo "clang-format is not installed (scripts/deps.sh installs it)" >&2
  exit 1
fi

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi

# One formatter run over all files; it names each file it would change.
mapfile -t bad < <(printf '%s\0' "${files[@]}" |
  xargs -0 "$fmt" --dry-run 2>&1 |
  sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)

if [ ${#bad[@]} -eq 0 ]; then
  echo "all ${#files[@]} C++ files are formatted"
  exit 0
fi
if [ "${1:-}" = "--fix" ]; then
  "$fmt" -i "${bad[@]}"
  echo "formatted ${#bad[@]} file(s)"
  exit 0
fi
echo "${#bad[@]} of ${#files[@]} C++ files are not formatted as .clang-format says:"
printf '  %s\n' "${bad[@]}"
echo "format them with: bash scripts/format_check.sh --fix"
exit 1
