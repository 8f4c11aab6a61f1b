#pragma once
// The manager's colour offsets (HueOffset, Saturation, Brightness) applied to
// a skin just loaded for one resolution.

namespace ac {

class TacSkinManagerCore;
class TacSkinData;

// Applies hue, then saturation, then brightness, each only when non-zero, to
// Sd's cached bitmaps and section colours. The targets every resolution
// shares (the master bitmap, the palette, Shadow1Color) are adjusted once per
// activation: by the first load after the common data was loaded. Bitmaps cut
// out of a master bitmap that was already adjusted are left as they are, so
// no pixel is shifted twice.
//
// Colours that are negative (system colours, -1 for "none") and the border
// colour $FF00FF ("none") are left alone: shifting them would turn a marker
// into a colour.
void ApplyColorOffsets(TacSkinManagerCore& m, TacSkinData& sd);

}  // namespace ac
