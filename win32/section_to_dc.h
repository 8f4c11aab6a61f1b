#pragma once
// Painting a skin section straight onto a device context.

#include <windows.h>

#include <cstdint>

#include "core/geometry.h"
#include "pixels/cache_info.h"
#include "skin/skin_data.h"

namespace ac::platform {

// Paints section SkinIndex in State into a 32-bit top-down DIB section of
// Rect's size (as PaintSection over (0, 0)-(width, height), Offset added to
// the cache origin) and copies it to DC at Rect's position with BitBlt.
// Nothing happens for an empty Rect, a negative Left or Top, or when the
// bitmap cannot be made.
void PaintSectionToDC(int32_t skinIndex, const TCacheInfo& cache, int32_t state,
                      const TacSkinData& sd, HDC dc, TPoint offset, const TRect& rect);

}  // namespace ac::platform
