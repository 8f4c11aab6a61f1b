#pragma once
// Where an image laid over another with its top-left corner at a point lands,
// and a walk over the pixels an 8-bit mask laid that way covers.

#include <cstddef>
#include <cstdint>

#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// The part of a Part-sized image placed at Origin of a Dst-sized image that
// lies inside Dst, in the placed image's own coordinates; empty when none.
constexpr TRect PartInside(TSize part, TPoint origin, TSize dst) {
  return TRect::XYWH(0, 0, part.cx, part.cy)
      .Intersect(TRect::XYWH(-origin.X, -origin.Y, dst.cx, dst.cy));
}

// Calls Blend(m, p) for every byte m of Mask placed at Origin whose pixel lies
// inside Dst, p pointing at that pixel's four bytes (blue, green, red, alpha).
template <typename Blend>
void ForEachMaskPixel(const TsPixelBuffer& dst, TPoint origin, const TsChannelBuffer& mask,
                      Blend&& blend) {
  if (dst.IsEmpty() || mask.IsEmpty()) return;
  const TRect part = PartInside({mask.Width, mask.Height}, origin, dst.Size());
  for (int32_t j = part.Top; j < part.Bottom; ++j) {
    const uint8_t* m = mask.Row(j);
    uint8_t* d = dst.RowBytes(origin.Y + j) + 4 * static_cast<std::ptrdiff_t>(origin.X);
    for (int32_t i = part.Left; i < part.Right; ++i) blend(static_cast<uint32_t>(m[i]), d + 4 * i);
  }
}

}  // namespace ac
