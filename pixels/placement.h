#pragma once
// Where an image laid over another with its top-left corner at a point lands.

#include "core/geometry.h"

namespace ac {

// The part of a Part-sized image placed at Origin of a Dst-sized image that
// lies inside Dst, in the placed image's own coordinates; empty when none.
constexpr TRect PartInside(TSize part, TPoint origin, TSize dst) {
  return TRect::XYWH(0, 0, part.cx, part.cy)
      .Intersect(TRect::XYWH(-origin.X, -origin.Y, dst.cx, dst.cy));
}

}  // namespace ac
