#include "pixels/shadow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "pixels/blend_fill.h"
#include "pixels/blend_premultiply.h"
#include "pixels/gradient_paint.h"

namespace ac {

namespace {

// The upper-left quarter of the disc: columns 0..R, rows 0..R (row 0 being
// TopOffset in the image).
std::vector<uint32_t> ShadowQuarter(TColor color, int32_t r, int32_t blur, TShadowMode mode) {
  const uint32_t darkness = (static_cast<uint32_t>(color) >> 24) & 0xFFu;
  const uint32_t rgb = ColorToPixel(static_cast<uint32_t>(color)) & 0x00FFFFFFu;
  const double inner = blur > 0 ? r - blur : 0;
  if (blur <= 0) blur = r;
  const int32_t side = r + 1;
  std::vector<uint32_t> q(static_cast<std::size_t>(side) * side);
  for (int32_t y = 0; y <= r; ++y) {
    for (int32_t x = 0; x <= r; ++x) {
      const double dx = x - r;
      const double dy = y - r;
      const double d = std::sqrt(dx * dx + dy * dy);
      uint32_t px;
      if (mode == TShadowMode::White) {
        if (d > r) {
          px = 0xFFFFFFFFu;
        } else {
          double k = 255;
          if (d > inner) {
            k = std::nearbyint((1 - (d - inner) / (blur + 1)) * 255 * (r + 1 - d) / (blur + 1));
          }
          const auto kk = static_cast<uint32_t>(std::clamp(k, 0.0, 255.0));
          const uint32_t level = (255 * (255 - kk) + darkness * kk) >> 8;
          px = 0xFF000000u | (level << 16) | (level << 8) | level;
        }
      } else {
        if (d > r) {
          px = 0;
        } else {
          double k = 255;
          if (d > inner) {
            const double span = r - inner;
            k = std::nearbyint((r - d + 1) * (1 - (d - inner) / span) / span * 255);
          }
          const auto kk = static_cast<uint32_t>(std::clamp(k, 0.0, 255.0));
          px = rgb | (((darkness * kk) >> 8) << 24);
        }
      }
      q[static_cast<std::size_t>(y) * side + x] = px;
    }
  }
  return q;
}

// Which quarter index a position of the stretched axis reads: the first R
// positions as they are, the centre repeated Extra + 1 times, then mirrored.
inline int32_t Fold(int32_t v, int32_t r, int32_t extra) {
  if (v <= r) return v;
  if (v <= r + extra) return r;
  return 2 * r + extra - v;
}

}  // namespace

TsPixelImage MakeShadowTemplate(const TShadowShape& shape) {
  const TColor color = shape.Color;
  const int32_t radius = shape.Radius;
  const int32_t topOffset = shape.TopOffset;
  const int32_t extraWidth = shape.ExtraWidth;
  const int32_t extraHeight = shape.ExtraHeight;
  if (radius < 0 || topOffset < 0 || extraWidth < 0 || extraHeight < 0) return TsPixelImage();
  // A shadow is tens of pixels across; sizes that could overflow or take
  // gigabytes come only from broken settings.
  constexpr int64_t kMaxSide = 1 << 14;
  const int64_t w64 = 2 * int64_t{radius} + extraWidth + 1;
  const int64_t h64 = 2 * int64_t{radius} + extraHeight + topOffset + 1;
  if (w64 > kMaxSide || h64 > kMaxSide) return TsPixelImage();
  const auto w = static_cast<int32_t>(w64);
  const auto h = static_cast<int32_t>(h64);
  TsPixelImage img(w, h);
  const TsPixelBuffer& b = img.View();
  if (shape.Mode == TShadowMode::White) {
    FillPixels(b, b.Bounds(), clWhite, 255);
  } else {
    FillPixels(b, b.Bounds(), color & 0x00FFFFFF, 0);
  }
  const std::vector<uint32_t> q = ShadowQuarter(color, radius, shape.Blur, shape.Mode);
  const int32_t side = radius + 1;
  for (int32_t y = topOffset; y < h; ++y) {
    const uint32_t* qr =
        q.data() + static_cast<std::size_t>(Fold(y - topOffset, radius, extraHeight)) * side;
    uint32_t* row = b.Row(y);
    for (int32_t x = 0; x < w; ++x) row[x] = qr[Fold(x, radius, extraWidth)];
  }
  if (shape.Alpha == TShadowAlpha::Premultiplied) Premultiply(b);
  return img;
}

void PaintSideShadow(const TsPixelBuffer& buf, TColor color, int32_t side) {
  if (buf.IsEmpty()) return;
  FillPixels(buf, buf.Bounds(), clBlack, 1);
  if (side < 0 || side > 3) return;
  const TsColor solid(color);
  const TsColor clear(static_cast<TColor>(static_cast<uint32_t>(color) & 0x00FFFFFFu));
  const bool fromColour = side == 0 || side == 1;
  const int32_t kind = (side == 0 || side == 2) ? kGradHorizontal : kGradVertical;
  TsGradArray g(2);
  g[0] = TsGradPoint{0, kind | kGradSmoothSegment, fromColour ? solid : clear, 0};
  g[1] = TsGradPoint{1, kGradSmoothSegment, fromColour ? clear : solid, 100};
  PaintGradient(buf, buf.Bounds(), g);
}

}  // namespace ac
