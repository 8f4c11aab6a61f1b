#pragma once
// One state frame of a skin image entry painted at a point (check boxes, radio
// buttons, caption-button icons, corner ornaments), and the corner runs that a
// skinned window's region leaves out.

#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "paint/mask_paint_layout.h"
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
void PaintMaskImage(const TsPixelBuffer& dst, TPoint point, const TsMaskData& mask, int32_t state,
                    const TCacheInfo& cache, TFrameStrength strength);

using TRects = std::vector<TRect>;

enum class TMaskRows { None, Present };
enum class TCornerBand { Top, Bottom };

// What MaskCornerRects scans and where its rectangles go.
struct TsCornerScan {
  TCornerBand Band = TCornerBand::Top;
  TMaskRows Masked = TMaskRows::None;  // mask rows fill the lower half of R
  uint32_t Key = 0x00FF00FFu;          // compared with whole 32-bit pixels
  // Corner sizes: L and R the widths of the left and right corners, T and B
  // the heights of the top and bottom bands.
  TMaskBands Corners;
  int32_t OffsetX = 0;
  int32_t Y0 = 0;          // the window row of the band's first row
  int32_t TotalWidth = 0;  // the window's width
};

// Appends a one-row rectangle for every horizontal run of pixels equal to Key
// in the top or bottom corners of the area R of Image: the top band is
// Corners.T rows from R.Top, the bottom band Corners.B rows ending at the
// image rows' end (half of R's height when mask rows follow). Left runs start
// at OffsetX + k, right runs at TotalWidth + j - width of R - OffsetX; band
// row r lies at Y0 + r. Runs are appended left corner first, row by row.
void MaskCornerRects(TRects& rects, const TsPixelBuffer& image, const TRect& r,
                     const TsCornerScan& scan);

// FillKeyFromBack (pixels/blend_parent.h) with mask MaskIndex of a loaded skin
// (-1: no mask): the mask's own image, or the skin's master image when it has
// none. Another index that names no mask draws nothing.
void FillKeyFromBack(const TsPixelBuffer& dst, const TRect& area, const TsPixelBuffer& back,
                     TPoint backPoint, int32_t corner, const TacSkinData& skinData,
                     int32_t maskIndex);

}  // namespace ac
