#include "pixels/blend.h"

#include <algorithm>
#include <cstring>

#include "pixels/blend_rows.h"

namespace ac {

namespace {

enum class TEmptyArea { BelowOne, BelowTwo };

// One direction of ClipArea: a negative destination start D moves the source
// start S on; a negative source start then moves D on, and where that leaves
// D negative again S takes the difference.
void ClipStart(int32_t& d, int32_t& s) {
  if (d < 0) {
    s -= d;
    d = 0;
  }
  if (s < 0) {
    d -= s;
    s = 0;
    if (d < 0) {
      s = -d;
      d = 0;
    }
  }
}

// The clipping shared by BlendOver and MixArea. On success Src rows and columns
// S.Top..S.Bottom, S.Left..S.Right meet Dst from (p.X, p.Y) on.
bool ClipArea(const TsPixelBuffer& dst, const TsPixelBuffer& src, TPoint& p, TSourceRect& s,
              TEmptyArea empty) {
  if (dst.IsEmpty() || src.IsEmpty()) return false;
  ClipStart(p.X, s.Left);
  ClipStart(p.Y, s.Top);
  const bool isEmpty = empty == TEmptyArea::BelowOne ? (s.Right < s.Left || s.Bottom < s.Top)
                                                     : (s.Right <= s.Left || s.Bottom <= s.Top);
  if (isEmpty) return false;
  if (p.X >= dst.Width || p.Y >= dst.Height) return false;
  if (s.Left >= src.Width || s.Top >= src.Height) return false;
  s = s.ClampedTo(src.Width, src.Height);
  if (s.Right - s.Left + p.X >= dst.Width) s.Right = dst.Width + s.Left - p.X - 1;
  if (s.Bottom - s.Top + p.Y >= dst.Height) s.Bottom = dst.Height + s.Top - p.Y - 1;
  return true;
}

// The source-side clipping of the keyed copies: Left/Top raised to 0 (the
// destination does not move), Right/Bottom clamped to the source. Returns false
// when nothing is left.
bool ClampToSource(const TsPixelBuffer& src, TSourceRect& s) {
  if (src.IsEmpty()) return false;
  s.Left = std::max(s.Left, 0);
  s.Top = std::max(s.Top, 0);
  s = s.ClampedTo(src.Width, src.Height);
  return s.Right >= s.Left && s.Bottom >= s.Top;
}

// Columns i of a run of Count source pixels landing at DstX + i that fall inside
// a destination of width Width: [first, last).
struct TSpan {
  int32_t First = 0;
  int32_t Last = 0;
};
TSpan SpanInside(int32_t dstX, int32_t count, int32_t width) {
  TSpan sp{std::max(0, -dstX), std::min(count, width - dstX)};
  if (sp.Last < sp.First) sp.Last = sp.First;
  return sp;
}

inline uint32_t Ch(uint32_t p, int shift) {
  return (p >> shift) & 0xFFu;
}

// Calls Rule(d, s) for each pixel S of the W x H area at (SrcX, SrcY) of Src
// whose place D, counted from (DstX, DstY), lies inside Dst.
template <typename PixelRule>
void ForEachLandingPixel(const TsPixelBuffer& dst, int32_t dstX, int32_t dstY,
                         const TsPixelBuffer& src, int32_t srcX, int32_t srcY, int32_t w, int32_t h,
                         PixelRule rule) {
  const TSpan cols = SpanInside(dstX, w, dst.Width);
  const TSpan rows = SpanInside(dstY, h, dst.Height);
  for (int32_t j = rows.First; j < rows.Last; ++j) {
    uint32_t* d = dst.Row(dstY + j) + dstX;
    const uint32_t* sr = src.Row(srcY + j) + srcX;
    for (int32_t i = cols.First; i < cols.Last; ++i) rule(d[i], sr[i]);
  }
}

}  // namespace

void BlendOver(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
               const TSourceRect& srcRect, uint8_t opacity) {
  TSourceRect s = srcRect;
  TPoint p = dstPoint;
  if (!ClipArea(dst, src, p, s, TEmptyArea::BelowOne)) return;
  const int32_t n = s.Width();
  for (int32_t j = 0; j < s.Height(); ++j) {
    uint8_t* d = dst.RowBytes(p.Y + j) + p.X * 4;
    const uint8_t* sr = src.RowBytes(s.Top + j) + s.Left * 4;
    rows::BlendOver(d, sr, n, opacity);
  }
}

void MixArea(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
             const TSourceRect& srcRect, uint8_t weight) {
  TSourceRect s = srcRect;
  TPoint p = dstPoint;
  if (!ClipArea(dst, src, p, s, TEmptyArea::BelowTwo)) return;
  for (int32_t j = 0; j < s.Height(); ++j) {
    rows::MixBytes(dst.RowBytes(p.Y + j) + p.X * 4, src.RowBytes(s.Top + j) + s.Left * 4,
                   s.Width() * 4, weight);
  }
}

void MixBuffers(const TsPixelBuffer& dst, const TsPixelBuffer& src, uint8_t weight) {
  if (dst.IsEmpty() || !dst.SameSize(src)) return;
  for (int32_t y = 0; y < dst.Height; ++y) {
    rows::MixColour(dst.RowBytes(y), src.RowBytes(y), dst.Width, weight);
  }
}

void ComposeByAlpha(const TsPixelBuffer& dst, const TsPixelBuffer& src) {
  if (dst.IsEmpty() || !dst.SameSize(src)) return;
  for (int32_t y = 0; y < dst.Height; ++y)
    rows::Compose(dst.RowBytes(y), src.RowBytes(y), dst.Width);
}

void MixKeyedArea(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
                  const TSourceRect& srcRect, uint8_t weight, TColor key) {
  if (dst.IsEmpty() || src.IsEmpty()) return;
  int32_t dstX = dstPoint.X;
  int32_t dstY = dstPoint.Y;
  TSourceRect s = srcRect;
  if (s.Left < 0) {
    dstX -= s.Left;
    s.Left = 0;
  }
  if (s.Top < 0) {
    dstY -= s.Top;
    s.Top = 0;
  }
  s = s.ClampedTo(src.Width, src.Height);
  if (s.Right < s.Left || s.Bottom < s.Top) return;
  const bool keyed = key != clNone;
  const uint32_t k = static_cast<uint32_t>(key);
  const uint32_t w = weight;
  const uint32_t nw = 255 - w;
  ForEachLandingPixel(dst, dstX, dstY, src, s.Left, s.Top, s.Width(), s.Height(),
                      [&](uint32_t& d, uint32_t sp) {
                        uint32_t m = 0;
                        for (int sh = 0; sh < 32; sh += 8)
                          m |= ((nw * Ch(sp, sh) + w * Ch(d, sh)) >> 8) << sh;
                        if (!keyed || sp != k) d = m;
                      });
}

void CopyKeyedArea(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
                   const TSourceRect& srcRect, uint8_t weight, TColor key) {
  if (dst.IsEmpty()) return;
  const int32_t dstX = dstPoint.X;
  const int32_t dstY = dstPoint.Y;
  TSourceRect s = srcRect;
  if (!ClampToSource(src, s)) return;
  const bool keyed = key != clNone;
  const uint32_t k = ColorToPixel(static_cast<uint32_t>(key)) & 0x00FFFFFFu;
  const uint32_t w = weight;
  ForEachLandingPixel(dst, dstX, dstY, src, s.Left, s.Top, s.Width(), s.Height(),
                      [&](uint32_t& d, uint32_t sp) {
                        if (keyed && sp == k) return;
                        uint32_t m = sp;
                        if (w != 0) {
                          // (Weight * (s - d) + d * 256) equals s * w + d * (256 - w).
                          m = std::max(w, d >> 24) << 24;
                          for (int sh = 0; sh < 24; sh += 8)
                            m |= ((w * Ch(sp, sh) + (256 - w) * Ch(d, sh)) >> 8) << sh;
                        }
                        d = m;
                      });
}

void CopyOpaqueKeyed(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
                     TColor key) {
  if (dst.IsEmpty() || src.IsEmpty()) return;
  const int32_t dstX = dstPoint.X;
  const int32_t dstY = dstPoint.Y;
  const uint32_t k = ColorToPixel(static_cast<uint32_t>(key));
  ForEachLandingPixel(dst, dstX, dstY, src, 0, 0, src.Width, src.Height,
                      [&](uint32_t& d, uint32_t sp) {
                        if (sp != k) d = sp | 0xFF000000u;
                      });
}

void CrossFade(const TsPixelBuffer& dst, const TsPixelBuffer& a, const TsPixelBuffer& b,
               uint8_t weight, const TsPixelBuffer& mask) {
  if (dst.IsEmpty() || !dst.SameSize(a) || !a.SameSize(b)) return;
  const bool masked = !mask.IsEmpty();
  if (masked && !mask.SameSize(a)) return;
  for (int32_t y = 0; y < dst.Height; ++y) {
    if (masked) {
      rows::CrossFadeMasked(dst.RowBytes(y), a.RowBytes(y), b.RowBytes(y), mask.RowBytes(y),
                            dst.Width);
    } else {
      rows::CrossFade(dst.RowBytes(y), a.RowBytes(y), b.RowBytes(y), dst.Width, weight);
    }
  }
}

void ClearUnchanged(const TsPixelBuffer& dst, const TsPixelBuffer& other) {
  if (dst.IsEmpty() || !dst.SameSize(other)) return;
  for (int32_t y = 0; y < dst.Height; ++y) {
    uint32_t* d = dst.Row(y);
    const uint32_t* o = other.Row(y);
    for (int32_t x = 0; x < dst.Width; ++x) {
      const uint32_t dp = d[x];
      d[x] = ((dp ^ o[x]) & 0x00FFFFFFu) == 0 ? 0u : dp;
    }
  }
}

}  // namespace ac
