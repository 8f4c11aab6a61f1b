#include "pixels/glow_mask.h"

#include "pixels/placement.h"

namespace ac {

void BlendGlowMask(const TsPixelBuffer& dst, TPoint origin, const TsChannelBuffer& mask,
                   TColor glowColor) {
  const TsPixel glow(ColorToPixel(static_cast<uint32_t>(glowColor)));
  ForEachMaskPixel(dst, origin, mask, [&](uint32_t m, uint8_t* p) {
    if (m == 255) return;
    const uint32_t k = 255 - m;
    p[0] = static_cast<uint8_t>((k * glow.B() + m * p[0]) >> 8);
    p[1] = static_cast<uint8_t>((k * glow.G() + m * p[1]) >> 8);
    p[2] = static_cast<uint8_t>((k * glow.R() + m * p[2]) >> 8);
    p[3] = static_cast<uint8_t>(p[3] + (((255 - p[3]) * k) >> 8));
  });
}

}  // namespace ac
