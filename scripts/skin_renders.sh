#!/usr/bin/env bash
# Renders the internal skin as the engine paints it, for review: contact sheets
# of every section at 96 and 192 pixels per inch, and the main window's
# controls (panel, field, button) in each of their states at all four
# resolutions, and the button's caption in each state.
#   skin_renders.sh SKINTOOL OUTDIR
set -euo pipefail
tool=$1
out=$2
skin="$(dirname "$0")/../skins/VelmoraLight"
mkdir -p "$out"

for ppi in 96 192; do
  "$tool" render "$skin" sheet "$out/sheet-$ppi.png" --ppi "$ppi" >/dev/null
done

for ppi in 96 120 144 192; do
  s() { echo $(( $1 * ppi / 96 )); }
  size_button="$(s 252)x$(s 23)"
  size_edit="$(s 252)x$(s 21)"
  r() { "$tool" render "$skin" section "$@" --ppi "$ppi" --parent F3F4F6 >/dev/null; }
  r PANEL "$out/panel-$ppi.png" --size "$(s 260)x$(s 97)"
  r BUTTON "$out/button-normal-$ppi.png" --size "$size_button" --state 0
  r BUTTON "$out/button-hot-$ppi.png" --size "$size_button" --state 1
  r BUTTON "$out/button-pressed-$ppi.png" --size "$size_button" --state 2
  r BUTTON "$out/button-disabled-$ppi.png" --size "$size_button" --state 0 --disabled
  r EDIT "$out/edit-normal-$ppi.png" --size "$size_edit" --state 0
  r EDIT "$out/edit-focused-$ppi.png" --size "$size_edit" --state 1
  "$tool" render "$skin" text BUTTON "$out/button-text-$ppi.png" --size "$size_button" \
    --ppi "$ppi" --parent F3F4F6 >/dev/null
done
echo "Skin renders: $out"
