#pragma once
// Painting a skin section straight onto a device context.

#include <windows.h>

#include <cstdint>

#include "core/geometry.h"
#include "pixels/cache_info.h"
#include "skin/skin_data.h"

namespace ac::platform {

// Paints section SkinIndex of Sd in State into a TDibSection
// of Rect's size (as PaintSection over (0, 0)-(width, height), Offset added to
// the cache origin) and copies it to DC at Rect's position with BitBlt.
// Nothing happens for an empty Rect, a negative Left or Top, or when the
// bitmap cannot be made.
void PaintSectionToDC(HDC dc, const TRect& rect, const TacSkinData& sd, int32_t skinIndex,
                      int32_t state, const TCacheInfo& cache, TPoint offset);

}  // namespace ac::platform
