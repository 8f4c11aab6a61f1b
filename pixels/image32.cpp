#include "pixels/image32.h"

#include <algorithm>

namespace ac {

namespace {

constexpr uint32_t kKeyPixel = 0x00FF00FFu;

bool IsTransparent(uint32_t s) {
  return s == kKeyPixel || (s >> 24) <= 16;
}

// The tint with its largest channel raised to 255, the others by as much.
TsPixel RaisedTint(TColor tint) {
  const TsPixel t(ColorToPixel(static_cast<uint32_t>(tint)));
  const uint8_t top = std::max({t.R(), t.G(), t.B()});
  const auto raised = [&](uint8_t v) { return static_cast<uint8_t>(v + 255 - top); };
  return TsPixel::FromRGBA(raised(t.R()), raised(t.G()), raised(t.B()), t.A());
}

// One copy's shared state: what every pixel of the picture needs.
struct TDraw {
  const TsImage32Params& P;
  uint32_t Opacity;  // o of the header
  bool Tinted;
  TsPixel Tint;

  uint32_t Colour(uint32_t s) const {
    if (!Tinted) return s;
    const TsPixel p(s);
    const uint32_t v = (p.R() >> 2) + (p.G() >> 1) + (p.B() >> 2);
    return ((v * Tint.R()) >> 8) << 16 | ((v * Tint.G()) >> 8) << 8 | ((v * Tint.B()) >> 8);
  }

  // Composites S with effective alpha A (already faded) over the pixel at D.
  void Compose(uint32_t& d, uint32_t s, uint32_t a) const {
    const uint32_t c = Colour(s);
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const int32_t sc = static_cast<int32_t>((c >> shift) & 0xFFu);
      const int32_t dc = static_cast<int32_t>((d >> shift) & 0xFFu);
      out |= static_cast<uint32_t>(((sc - dc) * static_cast<int32_t>(a) + dc * 256) >> 8 & 0xFF)
             << shift;
    }
    uint32_t alpha = d >> 24;
    if (P.Transparency == 0) alpha = std::max(alpha, a);
    d = out | alpha << 24;
  }

  uint32_t Faded(uint32_t a) const { return P.Transparency == 0 ? a : (Opacity * a) >> 8; }

  // The pixel rule of the header for source S going to Dst at (X, Y).
  void Put(const TsPixelBuffer& dst, int32_t x, int32_t y, uint32_t s, uint32_t a) const {
    uint32_t& d = dst.At(x, y);
    if (IsTransparent(s) && P.Cache.Ready) {
      if (P.UseParent == TUseParent::No || !P.Cache.HasBmp()) return;
      const int32_t px = x + P.Cache.X, py = y + P.Cache.Y;
      if (P.Cache.Bmp.Contains(px, py)) d = P.Cache.Bmp.At(px, py);
      return;
    }
    Compose(d, s, a);
  }
};

}  // namespace

void DrawImage32(const TsPixelBuffer& dst, const TRect& dstRect, const TsPixelBuffer& src,
                 const TRect& srcRect, const TsImage32Params& params) {
  if (dst.IsEmpty() || src.IsEmpty()) return;
  const int32_t transparency = std::clamp(params.Transparency, 0, 100);
  if (transparency == 100) return;
  TsImage32Params p = params;
  p.Transparency = transparency;
  int32_t dx = dstRect.Left, dy = dstRect.Top, sx = srcRect.Left, sy = srcRect.Top;
  int32_t w = std::min(dstRect.Width(), srcRect.Width());
  int32_t h = std::min(dstRect.Height(), srcRect.Height());
  // Negative starts move both sides inward by the same amount.
  const int32_t shiftX = std::max({0, -dx, -sx});
  const int32_t shiftY = std::max({0, -dy, -sy});
  dx += shiftX, sx += shiftX, w -= shiftX;
  dy += shiftY, sy += shiftY, h -= shiftY;
  w = std::min({w, dst.Width - dx, src.Width - sx});
  h = std::min({h, dst.Height - dy, src.Height - sy});
  if (w <= 0 || h <= 0) return;

  const bool tinted = params.TintColor != clNone;
  const TDraw draw{p, 255u - static_cast<uint32_t>(transparency) * 255u / 100u, tinted,
                   tinted ? RaisedTint(params.TintColor) : TsPixel()};
  for (int32_t y = 0; y < h; ++y) {
    const uint32_t* s = src.Row(sy + y) + sx;
    for (int32_t x = 0; x < w; ++x) draw.Put(dst, dx + x, dy + y, s[x], draw.Faded(s[x] >> 24));
  }
  if (params.Reflected == TReflection::None) return;

  const int32_t top = dy + h + 1;
  const int32_t rows = std::min(h / 2, dst.Height - top);
  for (int32_t k = 0; k < rows; ++k) {
    if (top + k < 0) continue;
    const uint32_t fade = 255u - static_cast<uint32_t>(k) * 255u / static_cast<uint32_t>(h);
    const uint32_t* s = src.Row(sy + h - 1 - k) + sx;
    for (int32_t x = 0; x < w; ++x) {
      if (IsTransparent(s[x])) continue;
      const uint32_t a = (s[x] >> 24) * static_cast<uint32_t>(rows - k) * fade /
                         (static_cast<uint32_t>(rows) * 512u);
      draw.Compose(dst.At(dx + x, top + k), s[x], draw.Faded(a));
    }
  }
}

}  // namespace ac
