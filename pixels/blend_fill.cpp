#include "pixels/blend_fill.h"

#include <algorithm>

#include "pixels/blend_rows.h"

namespace ac {

namespace {

constexpr uint32_t kKeyPixel = 0x00FF00FFu;

struct TChannels {
  uint32_t B, G, R;
};

TChannels ChannelsOf(TColor color) {
  const uint32_t p = ColorToPixel(static_cast<uint32_t>(color));
  return {p & 0xFFu, (p >> 8) & 0xFFu, (p >> 16) & 0xFFu};
}

// Fade of one pixel's colour bytes, alpha kept. The per-byte products of the
// colour are hoisted out of the loop by the callers.
inline uint32_t FadePixel(uint32_t p, uint32_t w, TChannels cw) {
  const uint32_t b = ((p & 0xFFu) * w + cw.B) >> 8;
  const uint32_t g = (((p >> 8) & 0xFFu) * w + cw.G) >> 8;
  const uint32_t r = (((p >> 16) & 0xFFu) * w + cw.R) >> 8;
  return (p & 0xFF000000u) | (r << 16) | (g << 8) | b;
}

}  // namespace

void FillPixels(const TsPixelBuffer& buf, const TRect& rect, TColor color, uint8_t alpha) {
  if (buf.IsEmpty()) return;
  const TRect r = ClipToBuffer(rect, buf);
  if (r.IsEmpty()) return;
  const uint32_t v = (ColorToPixel(static_cast<uint32_t>(color)) & 0x00FFFFFFu) |
                     (static_cast<uint32_t>(alpha) << 24);
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    rows::Fill(buf.Row(y) + r.Left, r.Width(), v);
  }
}

void TintPixels(const TsPixelBuffer& buf, const TRect& rect, TColor color, uint8_t alpha,
                int percent) {
  if (buf.IsEmpty()) return;
  const TRect r = ClipToBuffer(rect, buf);
  if (r.IsEmpty()) return;
  const int32_t pc = std::clamp(percent, 0, 100);
  const TChannels c = ChannelsOf(color);
  const int32_t cb = static_cast<int32_t>(c.B), cg = static_cast<int32_t>(c.G),
                cr = static_cast<int32_t>(c.R);
  const uint32_t a = static_cast<uint32_t>(alpha) << 24;
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = r.Left; x < r.Right; ++x) {
      const uint32_t p = row[x];
      // C++ division truncates toward zero, as the tint asks for.
      const int32_t b = static_cast<int32_t>(p & 0xFFu);
      const int32_t g = static_cast<int32_t>((p >> 8) & 0xFFu);
      const int32_t rr = static_cast<int32_t>((p >> 16) & 0xFFu);
      const uint32_t nb = static_cast<uint32_t>(b - (pc * (b - cb)) / 100);
      const uint32_t ng = static_cast<uint32_t>(g - (pc * (g - cg)) / 100);
      const uint32_t nr = static_cast<uint32_t>(rr - (pc * (rr - cr)) / 100);
      row[x] = a | (nr << 16) | (ng << 8) | nb;
    }
  }
}

void SetAlphaArea(const TsPixelBuffer& buf, const TRect& rect, uint8_t alpha,
                  std::span<const TRect> excluded, TColor key) {
  if (buf.IsEmpty()) return;
  const TRect r = ClipToBuffer(rect, buf);
  if (r.IsEmpty()) return;
  const uint32_t a = static_cast<uint32_t>(alpha) << 24;
  const bool keyed = key != clNone;
  const uint32_t k = static_cast<uint32_t>(key);
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = r.Left; x < r.Right; ++x) {
      if (keyed && row[x] == k) continue;
      bool skip = false;
      for (const TRect& e : excluded) {
        if (e.Contains({x, y})) {
          skip = true;
          break;
        }
      }
      if (!skip) row[x] = (row[x] & 0x00FFFFFFu) | a;
    }
  }
}

void FillBands(const TsPixelBuffer& buf, const TRect& rect, TColor color, int32_t leftWidth,
               int32_t topHeight, int32_t rightWidth, int32_t bottomHeight) {
  const TRect& r = rect;
  FillPixels(buf, TRect::LTRB(r.Left, r.Top, r.Right, r.Top + topHeight), color, 255);
  FillPixels(buf, TRect::LTRB(r.Left, r.Top + topHeight, r.Left + leftWidth, r.Bottom), color, 255);
  FillPixels(buf, TRect::LTRB(r.Left + leftWidth, r.Bottom - bottomHeight, r.Right, r.Bottom),
             color, 255);
  FillPixels(buf,
             TRect::LTRB(r.Right - rightWidth, r.Top + topHeight, r.Right, r.Bottom - bottomHeight),
             color, 255);
}

void FillOutside(const TsPixelBuffer& buf, const TRect& outer, const TRect& inner, TColor color,
                 uint8_t alpha) {
  FillPixels(buf, TRect::LTRB(outer.Left, outer.Top, outer.Right, inner.Top), color, alpha);
  FillPixels(buf, TRect::LTRB(outer.Left, inner.Top, inner.Left, inner.Bottom), color, alpha);
  FillPixels(buf, TRect::LTRB(inner.Right, inner.Top, outer.Right, inner.Bottom), color, alpha);
  FillPixels(buf, TRect::LTRB(outer.Left, inner.Bottom, outer.Right, outer.Bottom), color, alpha);
}

void FadeToColor(const TsPixelBuffer& buf, const TSourceRect& rect, uint8_t weight, TColor color) {
  if (buf.IsEmpty()) return;
  TSourceRect s = rect.ClampedTo(buf.Width, buf.Height);
  s.Left = std::max(s.Left, 0);
  s.Top = std::max(s.Top, 0);
  if (s.Right < s.Left || s.Bottom < s.Top) return;
  const uint32_t w = weight;
  const TChannels c = ChannelsOf(color);
  const TChannels cw{c.B * (255u - w), c.G * (255u - w), c.R * (255u - w)};
  for (int32_t y = s.Top; y <= s.Bottom; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = s.Left; x <= s.Right; ++x) row[x] = FadePixel(row[x], w, cw);
  }
}

void TintAllButKey(const TsPixelBuffer& buf, uint8_t weight, TColor color) {
  if (buf.IsEmpty()) return;
  const uint32_t w = weight;
  const TChannels c = ChannelsOf(color);
  const TChannels cw{c.B * (255u - w), c.G * (255u - w), c.R * (255u - w)};
  for (int32_t y = 0; y < buf.Height; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = 0; x < buf.Width; ++x) {
      const uint32_t p = row[x];
      const uint32_t f = FadePixel(p, w, cw);
      row[x] = p == kKeyPixel ? p : f;
    }
  }
}

void ColorizeByMask(const TsPixelBuffer& dst, const TsPixelBuffer& mask, TColor color) {
  if (dst.IsEmpty() || !dst.SameSize(mask)) return;
  const TChannels c = ChannelsOf(color);
  const uint32_t cs[3] = {c.B, c.G, c.R};
  for (int32_t y = 0; y < dst.Height; ++y) {
    uint8_t* d = dst.RowBytes(y);
    const uint8_t* m = mask.RowBytes(y);
    for (int32_t x = 0; x < dst.Width; ++x) {
      for (int ch = 0; ch < 3; ++ch) {
        // (d - c) * m + c * 256 equals d * m + c * (256 - m): never negative.
        const uint32_t mm = m[x * 4 + ch];
        d[x * 4 + ch] = static_cast<uint8_t>((d[x * 4 + ch] * mm + cs[ch] * (256u - mm)) >> 8);
      }
    }
  }
}

}  // namespace ac
