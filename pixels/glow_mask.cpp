#include "pixels/glow_mask.h"

#include <algorithm>

namespace ac {

void BlendGlowMask(const TsPixelBuffer& dst, TPoint origin, const TsChannelBuffer& mask,
                   TColor glowColor) {
  if (dst.IsEmpty() || mask.IsEmpty()) return;
  const TsPixel glow(ColorToPixel(static_cast<uint32_t>(glowColor)));
  const int32_t i0 = std::max(0, -origin.X);
  const int32_t j0 = std::max(0, -origin.Y);
  const int32_t i1 = std::min(mask.Width, dst.Width - origin.X);
  const int32_t j1 = std::min(mask.Height, dst.Height - origin.Y);
  for (int32_t j = j0; j < j1; ++j) {
    const uint8_t* m = mask.Row(j);
    uint8_t* d = dst.RowBytes(origin.Y + j) + 4 * static_cast<std::ptrdiff_t>(origin.X);
    for (int32_t i = i0; i < i1; ++i) {
      const uint32_t mv = m[i];
      if (mv == 255) continue;
      const uint32_t k = 255 - mv;
      uint8_t* p = d + 4 * i;
      p[0] = static_cast<uint8_t>((k * glow.B + mv * p[0]) >> 8);
      p[1] = static_cast<uint8_t>((k * glow.G + mv * p[1]) >> 8);
      p[2] = static_cast<uint8_t>((k * glow.R + mv * p[2]) >> 8);
      p[3] = static_cast<uint8_t>(p[3] + (((255 - p[3]) * k) >> 8));
    }
  }
}

}  // namespace ac
