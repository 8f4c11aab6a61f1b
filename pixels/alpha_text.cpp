#include "pixels/alpha_text.h"

#include <algorithm>

#include "pixels/blend_channel.h"  // Luminance
#include "pixels/placement.h"

namespace ac {

namespace {

void ComposeKeepingAlpha(uint8_t* p, const TsPixel& m, const TsPixel& c) {
  if (m.V == 0) {
    p[3] = p[3] == 255 ? 255 : 254;
    p[0] = static_cast<uint8_t>(((p[0] + c.B() * 255u) * 255u) >> 16);
    p[1] = static_cast<uint8_t>(((p[1] + c.G() * 255u) * 255u) >> 16);
    p[2] = static_cast<uint8_t>(((p[2] + c.R() * 255u) * 255u) >> 16);
    return;
  }
  const auto l = static_cast<int32_t>(Luminance(m.R(), m.G(), m.B()));
  const int32_t a = std::max<int32_t>(255 - l, p[3]);
  // L * (d - c) + c * 256 = L * d + (256 - L) * c: never negative.
  auto mix = [&](int32_t d, int32_t cc) {
    return static_cast<uint8_t>(((l * (d - cc) + cc * 256) * a) >> 16);
  };
  p[0] = mix(p[0], c.B());
  p[1] = mix(p[1], c.G());
  p[2] = mix(p[2], c.R());
  p[3] = static_cast<uint8_t>(a);
}

void ComposeOpaque(uint8_t* p, const TsPixel& m, const TsPixel& c) {
  auto mix = [](int32_t d, int32_t cc, int32_t mc) {
    return static_cast<uint8_t>(((d - cc) * mc + cc * 256) >> 8);
  };
  p[0] = mix(p[0], c.B(), m.B());
  p[1] = mix(p[1], c.G(), m.G());
  p[2] = mix(p[2], c.R(), m.R());
  p[3] = 255;
}

}  // namespace

void ComposeTextImage(const TsPixelBuffer& dst, TPoint at, const TsPixelBuffer& text, TColor color,
                      TKeepAlpha keepAlpha) {
  if (dst.IsEmpty() || text.IsEmpty()) return;
  const TsPixel c(ColorToPixel(static_cast<uint32_t>(color)));
  const TRect part = PartInside(text.Size(), at, dst.Size());
  for (int32_t j = part.Top; j < part.Bottom; ++j) {
    const uint32_t* s = text.Row(j);
    uint8_t* d = dst.RowBytes(at.Y + j) + 4 * static_cast<std::ptrdiff_t>(at.X);
    for (int32_t i = part.Left; i < part.Right; ++i) {
      const TsPixel m(s[i]);
      if ((m.V & 0x00FFFFFFu) == 0x00FFFFFFu && (m.A() == 0 || m.A() == 255)) continue;
      if (keepAlpha == TKeepAlpha::Yes)
        ComposeKeepingAlpha(d + 4 * i, m, c);
      else
        ComposeOpaque(d + 4 * i, m, c);
    }
  }
}

}  // namespace ac
