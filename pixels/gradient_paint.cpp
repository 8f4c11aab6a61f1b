#include "pixels/gradient_paint.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "pixels/blend_rows.h"

namespace ac {

namespace {

inline uint32_t OpaquePixel(TsColor c) {
  return 0xFF000000u | (static_cast<uint32_t>(c.R()) << 16) | (static_cast<uint32_t>(c.G()) << 8) |
         c.B();
}

// Rounds half to even, as the accumulators are rounded (the default
// floating-point rounding mode).
inline uint32_t RoundByte(double v) {
  return static_cast<uint32_t>(std::clamp(std::nearbyint(v), 0.0, 255.0));
}

// A colour with opacity between two points at fraction t.
uint32_t Lerp(TsColor a, TsColor b, double t) {
  const uint32_t r = RoundByte(a.R() + (b.R() - a.R()) * t);
  const uint32_t g = RoundByte(a.G() + (b.G() - a.G()) * t);
  const uint32_t bl = RoundByte(a.B() + (b.B() - a.B()) * t);
  const uint32_t al = RoundByte(a.A() + (b.A() - a.A()) * t);
  return (al << 24) | (r << 16) | (g << 8) | bl;
}

bool IsSmooth(const TsGradPoint& a, const TsGradPoint& b) {
  return ((a.Mode | b.Mode) & kGradSmoothSegment) != 0;
}

// The rows (or columns) of one plain segment: three single-precision
// accumulators stepped by (c2 - c1) / m in double precision.
class TSegmentRamp {
 public:
  TSegmentRamp(TsColor c1, TsColor c2, int32_t m)
      : FR(c1.R()),
        FG(c1.G()),
        FB(c1.B()),
        FDR((static_cast<double>(c2.R()) - c1.R()) / m),
        FDG((static_cast<double>(c2.G()) - c1.G()) / m),
        FDB((static_cast<double>(c2.B()) - c1.B()) / m) {}

  uint32_t Next() {
    const uint32_t p = 0xFF000000u | (RoundByte(FR) << 16) | (RoundByte(FG) << 8) | RoundByte(FB);
    FR = static_cast<float>(FR + FDR);
    FG = static_cast<float>(FG + FDG);
    FB = static_cast<float>(FB + FDB);
    return p;
  }

 private:
  float FR, FG, FB;
  double FDR, FDG, FDB;
};

void FillRow(const TsPixelBuffer& buf, int32_t y, int32_t x0, int32_t x1, uint32_t v) {
  rows::Fill(buf.Row(y) + x0, x1 - x0, v);
}

void BlendRow(const TsPixelBuffer& buf, int32_t y, int32_t x0, int32_t x1, uint32_t v) {
  uint32_t* row = buf.Row(y);
  for (int32_t x = x0; x < x1; ++x) row[x] = BlendSmoothPixel(row[x], v);
}

void PaintVertical(const TsPixelBuffer& buf, const TRect& r, const TsGradArray& g) {
  const int32_t h = r.Height();
  int32_t y0 = r.Top;
  const std::size_t n = g.size();
  const int64_t lowest = int64_t{r.Top} - h - static_cast<int64_t>(n) - 1;
  for (std::size_t k = 1; k < n; ++k) {
    // In 64 bits and held near the rectangle: a gradient built elsewhere may
    // carry percentages far outside 0..100. Percentages in range never reach
    // further up than one height plus a row per segment.
    const int64_t step = (int64_t{g[k].Percent} - g[k - 1].Percent) * h / 100;
    auto y1 = static_cast<int32_t>(std::clamp<int64_t>(y0 + step, lowest, r.Bottom));
    if (k == n - 1) y1 = r.Bottom;
    if (y1 > y0) {
      const int32_t m = y1 - y0;
      const TsColor c1 = g[k - 1].Color;
      const TsColor c2 = g[k].Color;
      // Percentages that run backwards can move a segment's start above the
      // rectangle; only rows inside it are painted.
      const int32_t from = std::max(y0, r.Top);
      if (IsSmooth(g[k - 1], g[k])) {
        // The ramp runs from the start colour at row y0 - 1 to the end colour at
        // row y1, so neither end row of the segment is a bare point colour.
        for (int32_t y = from; y < y1; ++y) {
          BlendRow(buf, y, r.Left, r.Right,
                   Lerp(c1, c2, static_cast<double>(y - y0 + 1) / (m + 1)));
        }
      } else if ((c1.C & 0xFFFFFF) == (c2.C & 0xFFFFFF)) {
        for (int32_t y = from; y < y1; ++y) FillRow(buf, y, r.Left, r.Right, OpaquePixel(c1));
      } else {
        TSegmentRamp ramp(c1, c2, m);
        for (int32_t y = y0; y < y1; ++y) {
          const uint32_t v = ramp.Next();
          if (y >= from) FillRow(buf, y, r.Left, r.Right, v);
        }
      }
    }
    y0 = y1;
  }
}

void PaintHorizontal(const TsPixelBuffer& buf, const TRect& r, const TsGradArray& g) {
  const double w = r.Width();
  const int32_t last = r.Right - 1;
  int32_t x0 = r.Left;
  const std::size_t n = g.size();
  // As for vertical segments: wild percentages are held near the rectangle.
  const double lowest = static_cast<double>(r.Left) - w - static_cast<double>(n) - 1;
  uint32_t* top = buf.Row(r.Top);
  for (std::size_t k = 1; k < n; ++k) {
    const bool smooth = IsSmooth(g[k - 1], g[k]);
    const double end =
        std::nearbyint(x0 + (static_cast<double>(g[k].Percent) - g[k - 1].Percent) * (w / 100.0));
    auto x1 = static_cast<int32_t>(std::clamp(end, lowest, static_cast<double>(last)));
    if (k == n - 1) x1 = smooth ? r.Right : last;
    if (x1 > x0) {
      const int32_t m = x1 - x0;
      const TsColor c1 = g[k - 1].Color;
      const TsColor c2 = g[k].Color;
      const int32_t from = std::max(x0, r.Left);
      if (smooth) {
        // Blended over what is there on every row; columns x0 .. x1 - 1 of a
        // ramp from column x0 - 1 to column x1.
        std::vector<uint32_t> ramp(static_cast<std::size_t>(m));
        for (int32_t i = 0; i < m; ++i) {
          ramp[static_cast<std::size_t>(i)] = Lerp(c1, c2, static_cast<double>(i + 1) / (m + 1));
        }
        for (int32_t y = r.Top; y < r.Bottom; ++y) {
          uint32_t* row = buf.Row(y);
          for (int32_t x = from; x < x1; ++x) {
            row[x] = BlendSmoothPixel(row[x], ramp[static_cast<std::size_t>(x - x0)]);
          }
        }
      } else if (x1 >= from) {
        // Columns x0 .. x1 both included; the next segment overwrites x1.
        if ((c1.C & 0xFFFFFF) == (c2.C & 0xFFFFFF)) {
          std::fill(top + from, top + x1 + 1, OpaquePixel(c1));
        } else {
          TSegmentRamp ramp(c1, c2, m);
          for (int32_t x = x0; x <= x1; ++x) {
            const uint32_t v = ramp.Next();
            if (x >= from) top[x] = v;
          }
        }
        const auto bytes = static_cast<std::size_t>(x1 + 1 - from) * 4;
        for (int32_t y = r.Top + 1; y < r.Bottom; ++y)
          std::memcpy(buf.Row(y) + from, top + from, bytes);
      }
    }
    x0 = x1;
  }
}

struct TVertex {
  double X, Y;
  TsColor C;
};

// Colour of the triangle (a, b, c) at point (px, py) by barycentric weights;
// false when the point lies outside it.
bool Shade(const TVertex& a, const TVertex& b, const TVertex& c, double px, double py,
           uint32_t& out) {
  const double det = (b.Y - c.Y) * (a.X - c.X) + (c.X - b.X) * (a.Y - c.Y);
  if (det == 0) return false;
  const double wa = ((b.Y - c.Y) * (px - c.X) + (c.X - b.X) * (py - c.Y)) / det;
  const double wb = ((c.Y - a.Y) * (px - c.X) + (a.X - c.X) * (py - c.Y)) / det;
  const double wc = 1 - wa - wb;
  constexpr double kEps = -1e-9;
  if (wa < kEps || wb < kEps || wc < kEps) return false;
  const auto mix = [&](uint8_t (TsColor::*ch)() const) {
    return RoundByte(wa * (a.C.*ch)() + wb * (b.C.*ch)() + wc * (c.C.*ch)());
  };
  out = (mix(&TsColor::A) << 24) | (mix(&TsColor::R) << 16) | (mix(&TsColor::G) << 8) |
        mix(&TsColor::B);
  return true;
}

void PaintTriangle(const TsPixelBuffer& buf, const TRect& r, const TsGradArray& g) {
  if (g.size() < 5) return;
  const bool smooth = (g[0].Mode & kGradSmoothTriangle) != 0;
  const TVertex tl{static_cast<double>(r.Left), static_cast<double>(r.Top), g[0].Color};
  const TVertex ce{static_cast<double>(r.Left + r.Width() / 2),
                   static_cast<double>(r.Top + r.Height() / 2), g[1].Color};
  const TVertex tr{static_cast<double>(r.Right), static_cast<double>(r.Top), g[2].Color};
  const TVertex br{static_cast<double>(r.Right), static_cast<double>(r.Bottom), g[3].Color};
  const TVertex bl{static_cast<double>(r.Left), static_cast<double>(r.Bottom), g[4].Color};
  const TVertex* tris[4][3] = {{&tl, &ce, &tr}, {&ce, &tr, &br}, {&tl, &ce, &bl}, {&bl, &ce, &br}};
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    uint32_t* row = buf.Row(y);
    const double py = y + 0.5;
    for (int32_t x = r.Left; x < r.Right; ++x) {
      const double px = x + 0.5;
      uint32_t c = 0;
      bool hit = false;
      for (const auto& t : tris) {
        if (Shade(*t[0], *t[1], *t[2], px, py, c)) {
          hit = true;
          break;
        }
      }
      if (!hit) continue;
      row[x] = smooth ? BlendSmoothPixel(row[x], c) : (c | 0xFF000000u);
    }
  }
}

}  // namespace

uint32_t BlendSmoothPixel(uint32_t dst, uint32_t colour) {
  // Non-premultiplied source-over: out alpha = a + dA (1 - a), out colour the
  // alpha-weighted mean, all scaled by 255 and rounded.
  const uint32_t a = colour >> 24;
  if (a == 255) return colour;
  if (a == 0) return dst;
  const uint32_t da = dst >> 24;
  const uint32_t sw = a * 255;
  const uint32_t dw = da * (255 - a);
  const uint32_t total = sw + dw;
  uint32_t out = ((total + 127) / 255) << 24;
  for (int sh = 0; sh < 24; sh += 8) {
    const uint32_t v =
        (((colour >> sh) & 0xFFu) * sw + ((dst >> sh) & 0xFFu) * dw + total / 2) / total;
    out |= v << sh;
  }
  return out;
}

void PaintGradient(const TsPixelBuffer& buf, const TRect& rect, const TsGradArray& gradient) {
  if (buf.IsEmpty() || gradient.empty()) return;
  const TRect r = ClipToBuffer(rect, buf);
  if (r.IsEmpty()) return;
  switch (gradient[0].Mode & kGradKindMask) {
    case kGradVertical:
      PaintVertical(buf, r, gradient);
      break;
    case kGradHorizontal:
      PaintHorizontal(buf, r, gradient);
      break;
    case kGradTriangle:
      PaintTriangle(buf, r, gradient);
      break;
    default:
      break;
  }
}

}  // namespace ac
