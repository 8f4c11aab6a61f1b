#pragma once
// Filling an area with a texture entry: the entry's whole R is one tile of
// w x h pixels, laid out by a mode number.
//
//  0  tiles from the area's top-left corner over the whole area
//  1  one tile stretched over the area
//  2  one row of tiles along the top            (left: the area below it)
//  3  one column of tiles along the left        (left: the area right of it)
//  4  one tile stretched to the width, h high   (left: the area below it)
//  5  one tile stretched to the height, w wide  (left: the area right of it)
//  6  one row of tiles along the bottom         (left: the area above it)
//  7  tiles as in 0                             (left: all but the right band w wide)
// 10  whole tile rows from the top, each ending in a cut column; the band
//     under the last row (1 to h rows) is not drawn
// 11  rows h high stretched to the width, repeated downward (the last one
//     drawn whole, clipped only to the destination)
// 12  columns w wide stretched to the height, repeated rightward (likewise)
// 13  tiles anchored at the bottom-right corner
// 8, 9 and any other number: tiles as in 0, left: the right band one tile
//     wide, which the caller fills with the section colour (our choice: the
//     texture shows everywhere else, so these modes read like mode 7 mirrored).
//
// Textures with mask rows (the lower half of R) support modes 0 and 10 only:
// tiles are combined through the mask, key pixels take the parent (Cache) or
// the cache's fill colour; any other mode draws nothing and leaves the whole
// area to the caller.

#include <cstdint>

#include "core/geometry.h"
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

// The rectangle FillTexture reports when nothing is left to fill.
inline constexpr TRect kNothingLeft{-1, -1, -1, -1};

// Fills Area of Dst with the texture entry in Mode and sets Area to the part
// still to be filled (kNothingLeft when none). Nothing outside Dst is written.
// An entry without image draws nothing and leaves Area as it was.
void FillTexture(const TsPixelBuffer& dst, TRect& area, const TsMaskData& mask, int32_t mode,
                 const TCacheInfo& cache);

}  // namespace ac
