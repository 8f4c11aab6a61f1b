#pragma once
// One state frame of a skin image entry painted at a point (check boxes, radio
// buttons, caption-button icons, corner ornaments), and the corner runs that a
// skinned window's region leaves out.

#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

// Full draws the frame as it is; Half draws it at about half strength, the
// disabled look.
enum class TFrameStrength { Half, Full };

// One state frame (Width x Height, unscaled) with its top-left corner at
// Point; a negative coordinate crops the frame on that side. Masked entries
// combine through their mask rows (the second of MaskType + 1 bands of R);
// alpha entries (draw-mode bit value 16) blend by their alpha; keyed entries
// leave their clFuchsia pixels out (in the master image: the parent from
// Cache shows there when Full). An own bitmap smaller than R draws nothing.
void PaintMaskImage(const TsPixelBuffer& dst, TPoint point, int32_t state, const TCacheInfo& cache,
                    const TsMaskData& mask, TFrameStrength strength);

using TRects = std::vector<TRect>;

enum class TMaskRows { None, Present };
enum class TCornerBand { Top, Bottom };

// Appends a one-row rectangle for every horizontal run of pixels equal to Key
// (whole 32-bit values) in the top or bottom corners of the area R of Image:
// left corners are LeftWidth columns wide, right corners RightWidth; the top
// band is TopHeight rows from R.Top, the bottom band BottomHeight rows ending
// at the image rows' end (half of R's height when mask rows follow). Left runs
// start at OffsetX + k, right runs at TotalWidth + j - width of R - OffsetX;
// band row r lies at Y0 + r. Runs are appended left corner first, row by row.
void MaskCornerRects(TRects& rects, const TsPixelBuffer& image, const TRect& r, int32_t offsetX,
                     uint32_t key, TMaskRows masked, TCornerBand band, int32_t y0,
                     int32_t bottomHeight, int32_t rightWidth, int32_t topHeight, int32_t leftWidth,
                     int32_t totalWidth);

// FillKeyFromBack (pixels/blend_parent.h) with mask MaskIndex of a loaded skin
// (-1: no mask): the mask's own image, or the skin's master image when it has
// none. Another index that names no mask draws nothing.
void FillKeyFromBack(const TsPixelBuffer& dst, const TsPixelBuffer& back, const TRect& area,
                     int32_t corner, const TacSkinData& skinData, int32_t maskIndex,
                     TPoint backPoint);


}  // namespace ac
