#!/usr/bin/env bash
# Configures (once) and builds one preset: native, host or win.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
shift
[ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" "$@"
