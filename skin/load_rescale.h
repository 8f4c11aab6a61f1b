#pragma once
// Fitting a mask's image to the resolution it is used at, and the corner flag
// of border masks.

#include <optional>

#include "core/color.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

class TacLoadBudget;

enum class TSmoothing { No, Yes };

// Rescales the image of Md (the area Md.R of Src) from Md.DivPPI to
// Md.MulPPi with the Mitchell filter and re-keys it. On success Md.R becomes
// the new image's area and Width, Height and the bands are scaled. Returns
// nothing, leaving Md as it was, when the resolutions are equal, when the
// image has one-pixel bands on both sides, or when a state image is 2 pixels
// or less in either direction. MainColor (RGB) replaces key pixels before
// resampling so that magenta does not bleed into the edges. Throws
// ELimitExceeded when the new image would exceed kMaxLoadedImagePixels or pass
// Budget (when given, charged otherwise).
std::optional<TsPixelImage> RescaleMaskImage(TsMaskData& md, const TsPixelBuffer& src,
                                             TSmoothing smoothing, TColor mainColor,
                                             TacLoadBudget* budget = nullptr);

// Scales the bands by Md.MulPPi / Md.DivPPI (rounded) and keeps WR and WB
// inside a state image of CellWidth x CellHeight.
void ScaleMaskBands(TsMaskData& md, int32_t cellWidth, int32_t cellHeight);

// True when a corner area of any state image of a border mask holds a
// transparent pixel: alpha 0 with DrawMode bit 16, otherwise exactly the key
// pixel $00FF00FF. Src is the mask's bitmap or the master bitmap; Md.Width
// and Md.Height must be set.
bool HasTransparentCorner(const TsMaskData& md, const TsPixelBuffer& src);

// Sets or clears Cfg bit 1 of a border mask with a positive height.
void UpdateCornerFlag(TsMaskData& md, const TsPixelBuffer& src);

}  // namespace ac
