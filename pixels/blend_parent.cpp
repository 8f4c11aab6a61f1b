#include "pixels/blend_parent.h"

#include <algorithm>

#include "pixels/blend_rows.h"

namespace ac {

namespace {

constexpr uint32_t kKeyPixel = 0x00FF00FFu;

// Non-key pixels of s[first, last) to d (or'ed with OrMask), key pixels from c,
// which may be d itself to leave them untouched.
inline void CopyRun(uint32_t* d, const uint32_t* s, const uint32_t* c, int32_t first, int32_t last,
                    uint32_t key, uint32_t orMask) {
  if (last > first) rows::CopyKeyed(d + first, s + first, c + first, last - first, key, orMask);
}

inline void CopyRunFill(uint32_t* d, const uint32_t* s, int32_t first, int32_t last, uint32_t key,
                        uint32_t fill) {
  if (last > first) rows::CopyKeyedFill(d + first, s + first, last - first, key, fill);
}

}  // namespace

void CopyOverParent(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
                    const TSourceRect& srcRect, const TParentFill& parent) {
  if (dst.IsEmpty() || src.IsEmpty()) return;
  const int32_t dstX = dstPoint.X;
  const int32_t dstY = dstPoint.Y;
  const TCacheInfo& cache = parent.Cache;
  const TColor key = parent.Key;
  TSourceRect s = srcRect;
  s.Left = std::max(s.Left, 0);
  s.Top = std::max(s.Top, 0);
  s = s.ClampedTo(src.Width, src.Height);
  if (s.Right < s.Left || s.Bottom < s.Top) return;

  // With the key test off no pixel may match: a value no 32-bit key test can
  // produce is not available, so the runs below are told to copy everything.
  const bool keyed = key != clNone;
  const uint32_t k = ColorToPixel(static_cast<uint32_t>(key));
  const int32_t x0 = std::max(0, -dstX);
  const int32_t x1 = std::min(s.Width(), dst.Width - dstX);
  const int32_t y0 = std::max(0, -dstY);
  const int32_t y1 = std::min(s.Height(), dst.Height - dstY);
  if (x1 <= x0 || y1 <= y0) return;

  const bool fromCache = parent.UseParent == TUseParent::Yes && cache.Ready && cache.HasBmp();
  const bool intoCache = fromCache && dst.SameStorage(cache.Bmp);
  // Rule 3 reads Dst(0, 0) before anything is written.
  const uint32_t fill = (ColorToPixel(static_cast<uint32_t>(cache.FillColor.C)) & 0x00FFFFFFu) |
                        (dst.At(0, 0) & 0xFF000000u);

  for (int32_t j = y0; j < y1; ++j) {
    const int32_t dy = dstY + j;
    uint32_t* d = dst.Row(dy) + dstX;
    const uint32_t* sr = src.Row(s.Top + j) + s.Left;
    if (!keyed) {
      std::copy(sr + x0, sr + x1, d + x0);
      if (intoCache) {
        for (int32_t i = x0; i < x1; ++i) d[i] |= 0xFF000000u;
      }
      continue;
    }
    if (!cache.Ready) {
      CopyRunFill(d, sr, x0, x1, k, fill);
    } else if (intoCache) {
      CopyRun(d, sr, d, x0, x1, k, 0xFF000000u);
    } else if (!fromCache) {
      CopyRun(d, sr, d, x0, x1, k, 0);
    } else {
      // Key pixels whose cache position lies off the cache image stay as they are.
      const int32_t cy = dy + cache.Y;
      if (cy < 0 || cy >= cache.Bmp.Height) {
        CopyRun(d, sr, d, x0, x1, k, 0);
        continue;
      }
      const int32_t cx = dstX + cache.X;  // cache column of i = 0
      const int32_t c0 = std::clamp(-cx, x0, x1);
      const int32_t c1 = std::clamp(cache.Bmp.Width - cx, c0, x1);
      const uint32_t* cr = cache.Bmp.Row(cy) + cx;
      CopyRun(d, sr, d, x0, c0, k, 0);
      CopyRun(d, sr, cr, c0, c1, k, 0);
      CopyRun(d, sr, d, c1, x1, k, 0);
    }
  }
}

void FillKeyFromBack(const TsPixelBuffer& dst, const TRect& area, const TsPixelBuffer& back,
                     TPoint backPoint, int32_t corner, const TCornerMask* mask) {
  if (dst.IsEmpty() || back.IsEmpty()) return;
  const int32_t w = std::min(area.Width(), back.Width - backPoint.X);
  const int32_t h = std::min(area.Height(), back.Height - backPoint.Y);
  // Offsets (i, j) from the area's top-left that lie inside both Dst and Back.
  const int32_t i0 = std::max({0, -area.Left, -backPoint.X});
  const int32_t j0 = std::max({0, -area.Top, -backPoint.Y});
  const int32_t i1 = std::min(w, dst.Width - area.Left);
  const int32_t j1 = std::min(h, dst.Height - area.Top);
  if (i1 <= i0 || j1 <= j0) return;

  if (mask == nullptr) {
    for (int32_t j = j0; j < j1; ++j) {
      uint32_t* d = dst.Row(area.Top + j) + area.Left;
      const uint32_t* b = back.Row(backPoint.Y + j) + backPoint.X;
      for (int32_t i = i0; i < i1; ++i) {
        const uint32_t p = d[i] & 0x00FFFFFFu;
        d[i] = p == kKeyPixel ? b[i] : p;
      }
    }
    return;
  }

  const TsPixelBuffer& img = mask->Image;
  if (img.IsEmpty()) return;
  int32_t ox = mask->R.Left;
  int32_t oy = mask->R.Top;
  if (corner == fcTopRight || corner == fcBottomRight) ox += mask->Width - mask->WR;
  if (corner == fcBottomLeft || corner == fcBottomRight) oy += mask->Height - mask->WB;
  const int32_t mi0 = std::max(i0, -ox);
  const int32_t mi1 = std::min(i1, img.Width - ox);
  const int32_t mj0 = std::max(j0, -oy);
  const int32_t mj1 = std::min(j1, img.Height - oy);
  for (int32_t j = mj0; j < mj1; ++j) {
    uint32_t* d = dst.Row(area.Top + j) + area.Left;
    const uint32_t* b = back.Row(backPoint.Y + j) + backPoint.X;
    const uint32_t* m = img.Row(oy + j) + ox;
    for (int32_t i = mi0; i < mi1; ++i) {
      d[i] = (m[i] & 0x00FFFFFFu) == kKeyPixel ? b[i] : d[i];
    }
  }
}

}  // namespace ac
