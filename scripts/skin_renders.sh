#!/usr/bin/env bash
# Renders a skin as the engine paints it, for review: contact sheets of every
# section at 96 and 192 pixels per inch, and the main window's controls
# (panel, field, button) in each of their states at all four resolutions,
# laid on the window colour PARENT (RRGGBB), the button's caption in each
# state, and the main window's extended border and shadow, active and
# inactive, over white.
#   skin_renders.sh SKINTOOL OUTDIR [SKIN [PARENT]]
# Without SKIN, the internal skin (skins/VelmoraLight on F3F4F6).
set -euo pipefail
tool=$1
out=$2
skin=${3:-"$(dirname "$0")/../skins/VelmoraLight"}
parent=${4:-F3F4F6}
mkdir -p "$out"

for ppi in 96 192; do
  "$tool" render "$skin" sheet "$out/sheet-$ppi.png" --ppi "$ppi" >/dev/null
done

for ppi in 96 120 144 192; do
  s() { echo $(( $1 * ppi / 96 )); }
  size_button="$(s 252)x$(s 23)"
  size_edit="$(s 252)x$(s 21)"
  r() { "$tool" render "$skin" section "$@" --ppi "$ppi" --parent "$parent" >/dev/null; }
  r PANEL "$out/panel-$ppi.png" --size "$(s 260)x$(s 97)"
  r BUTTON "$out/button-normal-$ppi.png" --size "$size_button" --state 0
  r BUTTON "$out/button-hot-$ppi.png" --size "$size_button" --state 1
  r BUTTON "$out/button-pressed-$ppi.png" --size "$size_button" --state 2
  r BUTTON "$out/button-disabled-$ppi.png" --size "$size_button" --state 0 --disabled
  r EDIT "$out/edit-normal-$ppi.png" --size "$size_edit" --state 0
  r EDIT "$out/edit-focused-$ppi.png" --size "$size_edit" --state 1
  "$tool" render "$skin" text BUTTON "$out/button-text-$ppi.png" --size "$size_button" \
    --ppi "$ppi" --parent "$parent" >/dev/null
  for state in 0 1; do
    "$tool" render "$skin" border "$out/border-$state-$ppi.png" --state "$state" --ppi "$ppi" \
      --size "$(s 268)x$(s 131)" --frame "$(s 3)" --caption "$(s 19)" --parent FFFFFF >/dev/null
  done
done
echo "Skin renders: $out"
