#include "pixels/glow_mask.h"

#include "pixels/placement.h"

namespace ac {

void BlendGlowMask(const TsPixelBuffer& dst, TPoint origin, const TsChannelBuffer& mask,
                   TColor glowColor) {
  if (dst.IsEmpty() || mask.IsEmpty()) return;
  const TsPixel glow(ColorToPixel(static_cast<uint32_t>(glowColor)));
  const TRect part = PartInside({mask.Width, mask.Height}, origin, dst.Size());
  for (int32_t j = part.Top; j < part.Bottom; ++j) {
    const uint8_t* m = mask.Row(j);
    uint8_t* d = dst.RowBytes(origin.Y + j) + 4 * static_cast<std::ptrdiff_t>(origin.X);
    for (int32_t i = part.Left; i < part.Right; ++i) {
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
