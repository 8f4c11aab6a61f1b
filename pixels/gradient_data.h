#pragma once
// A parsed gradient: the stops of a section state's gradient description.

#include <cstdint>
#include <vector>

#include "pixels/color.h"

namespace ac {

// Bits of TsGradPoint::Mode.
inline constexpr int32_t kGradKindMask = 0x3;  // of point 0: the kind of the gradient
inline constexpr int32_t kGradVertical = 0;
inline constexpr int32_t kGradHorizontal = 1;
inline constexpr int32_t kGradTriangle = 2;
inline constexpr int32_t kGradSmoothSegment = 16;   // segment drawn with per-point opacity
inline constexpr int32_t kGradSmoothTriangle = 32;  // point 0 only

struct TsGradPoint {
  uint16_t Index = 0;   // position of the point in its array
  int32_t Mode = 0;     // see the kGrad* bits
  TsColor Color;        // Color.A is the point's opacity in smooth drawings
  int32_t Percent = 0;  // 0..100 along the gradient
};

// Empty means no gradient.
using TsGradArray = std::vector<TsGradPoint>;

}  // namespace ac
