#pragma once
// Borders drawn from a section's width, radius and colour rather than from an
// image entry, and a control's own custom border.

#include <array>
#include <cstdint>

#include "core/color.h"
#include "core/geometry.h"
#include "paint/skin_colors.h"
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"
#include "pixels/round_corners.h"
#include "skin/skin_data.h"

namespace ac {

// A control's custom border (set by the control, not by the skin). clNone
// colours are not set; a negative width takes the section's BorderWidth.
struct TacPaintBorderData {
  int32_t FWidth = -1;
  TCornerRadii FCorners{0, 0, 0, 0};  // top-left, top-right, bottom-left, bottom-right
  TColor FColorNormal = clNone;
  TColor FColorActive = clNone;
  TColor FColorPressed = clNone;

  int32_t GetCorner(int32_t i) const { return i >= 0 && i < 4 ? FCorners[i] : 0; }
};

// Whether the radii are fitted to the rectangle (controls) or used as given.
enum class TRadiusFit { AsGiven, FitToControl };

// Fits radii to a W x H control: when H > W the top pair and the bottom pair
// each become (W - 1) div 2 if their sum exceeds W - 1; otherwise the left and
// right pairs against H - 1.
TCornerRadii FitRadii(TCornerRadii radii, int32_t w, int32_t h);

// How a plain border is drawn besides the section's own data.
struct TsPlainBorderParams {
  int32_t PPI = 96;  // the width is scaled from 96 to this
  // The skin colours that stand for system colours and the engine's colour
  // constants (SkinColorToRGB); empty: the colours a program without a skin
  // shows.
  TsSkinColors Colors{};
  const TacPaintBorderData* Custom = nullptr;  // a control's custom border, or null
  TRadiusFit Fit = TRadiusFit::AsGiven;
};

// Draws the plain border of section Gd in State over Rect: the width scaled
// from 96 to the PPI (the width and the radii at most the rectangle's longer
// side, the radii at most 256), the colour from the custom border (normal, active for
// state >= 1, pressed for state >= 2) or the state's BorderColor, taken
// through SkinColorToRGB. A border colour of clFuchsia draws no line but still
// rounds the corners against Cache; where the parent is known only as
// clFuchsia the cut corners take the border colour. Returns whether a line
// was drawn.
bool PaintPlainBorder(const TsPixelBuffer& dst, const TRect& rect, const TsGeneralData& gd,
                      int32_t state, const TCacheInfo& cache, const TsPlainBorderParams& params);

}  // namespace ac
