#!/usr/bin/env bash
# Installs from Debian's packages whatever the builds and the test harness need
# and this machine lacks. Safe to run again: it installs nothing when all is there.
set -euo pipefail

packages=(
  # builds
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format-14
  zlib1g-dev libpng-dev libjpeg-dev libgtest-dev googletest libbenchmark-dev libpixman-1-dev
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  # the Windows harness
  wine wine64 fonts-wine xvfb xcompmgr xdotool xclip x11-utils imagemagick
  # the skin generator (tools/skingen)
  python3-pil fonts-dejavu-core
  # native text: glyphs for the text tests and skintool's previews
  libfreetype-dev
  # the hostile-skin runs' time and peak memory (scripts/hostile_skins.sh)
  time
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
