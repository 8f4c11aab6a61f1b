#include "paint/texture_paint.h"

#include <algorithm>
#include <cstring>

#include "paint/mask_paint_internal.h"
#include "pixels/blend_fill.h"

namespace ac {

namespace {

using namespace mask_detail;
using namespace paint_limits;

int32_t PositiveMod(int32_t a, int32_t m) {
  const int32_t r = a % m;
  return r < 0 ? r + m : r;
}

// Tiles Tile of Img over Clip (already inside Dst) in a grid whose tile corner
// lies at Origin.
void TileInto(const TsPixelBuffer& dst, const TRect& clip, TPoint origin, const TsPixelBuffer& img,
              const TRect& tile) {
  const int32_t w = tile.Width(), h = tile.Height();
  if (w <= 0 || h <= 0 || clip.IsEmpty()) return;
  for (int32_t y = clip.Top; y < clip.Bottom; ++y) {
    const int32_t sy = tile.Top + PositiveMod(y - origin.Y, h);
    if (sy < 0 || sy >= img.Height) continue;
    const uint32_t* s = img.Row(sy);
    uint32_t* d = dst.Row(y);
    int32_t x = clip.Left;
    while (x < clip.Right) {
      const int32_t phase = PositiveMod(x - origin.X, w);
      const int32_t n = std::min(w - phase, clip.Right - x);
      const int32_t sx = tile.Left + phase;
      if (sx >= 0 && sx + n <= img.Width) std::memcpy(d + x, s + sx, n * 4u);
      x += n;
    }
  }
}

// Nearest-pixel stretch of Tile to Target, written only inside Clip.
void StretchInto(const TsPixelBuffer& dst, const TRect& target, const TRect& clip,
                 const TsPixelBuffer& img, const TRect& tile) {
  const TRect r = target.Intersect(clip);
  const int32_t tw = target.Width(), th = target.Height();
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    const int32_t sy =
        tile.Top + static_cast<int32_t>(static_cast<int64_t>(y - target.Top) * tile.Height() / th);
    if (sy < 0 || sy >= img.Height) continue;
    const uint32_t* s = img.Row(sy);
    uint32_t* d = dst.Row(y);
    for (int32_t x = r.Left; x < r.Right; ++x) {
      const int32_t sx = tile.Left + static_cast<int32_t>(static_cast<int64_t>(x - target.Left) *
                                                          tile.Width() / tw);
      if (sx >= 0 && sx < img.Width) d[x] = s[sx];
    }
  }
}

// Number of whole tiles of Size placed from Start while a tile starts before
// End - Size.
int32_t WholeTiles(int32_t start, int32_t end, int32_t size) {
  const int32_t limit = end - size - start;
  return limit > 0 ? (limit + size - 1) / size : 0;
}

// The start of the first band of Size laid from Start that reaches row or
// column 0 (bands above or left of the destination are skipped).
int32_t FirstBandStart(int32_t start, int32_t size) {
  if (start >= 0) return start;
  return start + static_cast<int32_t>(-int64_t{start} / size * size);
}

TRect FillPlain(const TsPixelBuffer& dst, const TRect& a, const TsPixelBuffer& img,
                const TRect& tile, int32_t mode) {
  const int32_t w = tile.Width(), h = tile.Height();
  const TRect clip = a.Intersect(dst.Bounds());
  switch (mode) {
    case 0:
      TileInto(dst, clip, a.TopLeft(), img, tile);
      return kNothingLeft;
    case 1:
      StretchInto(dst, a, clip, img, tile);
      return kNothingLeft;
    case 2:
      TileInto(dst, clip.Intersect(TRect::LTRB(a.Left, a.Top, a.Right, a.Top + h)), a.TopLeft(),
               img, tile);
      return TRect::LTRB(a.Left, std::min(a.Top + h, a.Bottom), a.Right, a.Bottom);
    case 3:
      TileInto(dst, clip.Intersect(TRect::LTRB(a.Left, a.Top, a.Left + w, a.Bottom)), a.TopLeft(),
               img, tile);
      return TRect::LTRB(std::min(a.Left + w, a.Right), a.Top, a.Right, a.Bottom);
    case 4:
      StretchInto(dst, TRect::LTRB(a.Left, a.Top, a.Right, a.Top + h), clip, img, tile);
      return TRect::LTRB(a.Left, std::min(a.Top + h, a.Bottom), a.Right, a.Bottom);
    case 5:
      StretchInto(dst, TRect::LTRB(a.Left, a.Top, a.Left + w, a.Bottom), clip, img, tile);
      return TRect::LTRB(std::min(a.Left + w, a.Right), a.Top, a.Right, a.Bottom);
    case 6:
      TileInto(dst, clip.Intersect(TRect::LTRB(a.Left, a.Bottom - h, a.Right, a.Bottom)),
               TPoint{a.Left, a.Bottom - h}, img, tile);
      return TRect::LTRB(a.Left, a.Top, a.Right, std::max(a.Bottom - h, a.Top));
    case 7:
      TileInto(dst, clip, a.TopLeft(), img, tile);
      return TRect::LTRB(a.Left, a.Top, std::max(a.Right - w, a.Left), a.Bottom);
    case 10: {
      const int32_t rows = WholeTiles(a.Top, a.Bottom, h);
      TileInto(dst, clip.Intersect(TRect::LTRB(a.Left, a.Top, a.Right, a.Top + rows * h)),
               a.TopLeft(), img, tile);
      return kNothingLeft;
    }
    case 11: {
      const TRect bounds = dst.Bounds();
      for (int32_t y = FirstBandStart(a.Top, h); y < a.Bottom && y < bounds.Bottom; y += h)
        StretchInto(dst, TRect::LTRB(a.Left, y, a.Right, y + h), bounds, img, tile);
      return kNothingLeft;
    }
    case 12: {
      const TRect bounds = dst.Bounds();
      for (int32_t x = FirstBandStart(a.Left, w); x < a.Right && x < bounds.Right; x += w)
        StretchInto(dst, TRect::LTRB(x, a.Top, x + w, a.Bottom), bounds, img, tile);
      return kNothingLeft;
    }
    case 13:
      TileInto(dst, clip, TPoint{a.Right, a.Bottom}, img, tile);
      return kNothingLeft;
    default:
      // 8, 9 and unknown numbers: see the header.
      TileInto(dst, clip, a.TopLeft(), img, tile);
      return TRect::LTRB(std::max(a.Right - w, a.Left), a.Top, a.Right, a.Bottom);
  }
}

// Whole tiles of a masked texture over Region (tile grid from Region's corner),
// combined through the mask rows that lie H rows below the tile.
void CombineTiles(const TsPixelBuffer& dst, const TRect& region, const TsPixelBuffer& img,
                  const TRect& tile, int32_t maskOffset, const TCacheInfo& cache) {
  const TRect clip = region.Intersect(dst.Bounds());
  const int32_t w = tile.Width(), h = tile.Height();
  const uint32_t fill = ColorToPixel(static_cast<uint32_t>(cache.FillColor.C));
  const bool fillIsKey = cache.FillColor.C == clFuchsia;
  for (int32_t y = clip.Top; y < clip.Bottom; ++y) {
    const int32_t sy = tile.Top + PositiveMod(y - region.Top, h);
    if (sy < 0 || sy + maskOffset >= img.Height) continue;
    const uint32_t* s = img.Row(sy);
    const uint32_t* m = img.Row(sy + maskOffset);
    uint32_t* d = dst.Row(y);
    for (int32_t x = clip.Left; x < clip.Right; ++x) {
      const int32_t sx = tile.Left + PositiveMod(x - region.Left, w);
      if (sx < 0 || sx >= img.Width) continue;
      if (s[sx] != kKeyPixel) {
        d[x] = CombineThroughMask(d[x], s[sx], m[sx]);
      } else if (cache.Ready) {
        if (fillIsKey) {
          const int32_t px = x + cache.X, py = y + cache.Y;
          if (cache.Bmp.Contains(px, py)) d[x] = cache.Bmp.At(px, py);
        } else {
          d[x] = fill;
        }
      } else if (!fillIsKey) {
        d[x] = fill;
      }
    }
  }
}

// Strip of Dst taken from the parent image when the cache is ready, else
// filled with the cache's colour.
void ParentStrip(const TsPixelBuffer& dst, const TRect& strip, const TCacheInfo& cache) {
  const TRect r = strip.Intersect(dst.Bounds());
  if (r.IsEmpty()) return;
  if (!cache.Ready) {
    FillPixels(dst, r, cache.FillColor.C, 255);
    return;
  }
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x)
      if (cache.Bmp.Contains(x + cache.X, y + cache.Y))
        dst.At(x, y) = cache.Bmp.At(x + cache.X, y + cache.Y);
}

TRect FillMasked(const TsPixelBuffer& dst, const TRect& a, const TsPixelBuffer& img,
                 const TsMaskData& mask, int32_t mode, const TCacheInfo& cache) {
  if (mode != 0 && mode != 10) return a;
  const int32_t h = mask.R.Height() / 2, w = mask.Width;
  if (w <= 0 || h <= 0) return kNothingLeft;
  const TRect tile = TRect::XYWH(mask.R.Left, mask.R.Top, w, h);
  const int32_t rows = WholeTiles(a.Top, a.Bottom, h);
  const int32_t cols = WholeTiles(a.Left, a.Right, w);
  const int32_t bottom = a.Top + rows * h;
  if (mode == 0) {
    CombineTiles(dst, TRect::LTRB(a.Left, a.Top, a.Right, bottom), img, tile, h, cache);
    return kNothingLeft;
  }
  const int32_t right = a.Left + cols * w;
  CombineTiles(dst, TRect::LTRB(a.Left, a.Top, right, bottom), img, tile, h, cache);
  ParentStrip(dst, TRect::LTRB(a.Left, bottom, a.Right, a.Bottom), cache);
  ParentStrip(dst, TRect::LTRB(right, a.Top, a.Right, a.Bottom), cache);
  return kNothingLeft;
}

}  // namespace

void FillTexture(const TsPixelBuffer& dst, TRect& area, const TsMaskData& mask, int32_t mode,
                 const TCacheInfo& cache) {
  if (!InPaintRange(area) || !PaintableEntry(mask) || !InPaintRange(cache)) return;
  const TsPixelBuffer img = EntryImage(mask);
  if (img.IsEmpty() || dst.IsEmpty()) return;
  if (area.IsEmpty()) {
    area = kNothingLeft;
    return;
  }
  if (mask.MaskType != 0) {
    area = FillMasked(dst, area, img, mask, mode, cache);
    return;
  }
  if (mask.R.IsEmpty()) return;
  area = FillPlain(dst, area, img, mask.R, mode);
}

}  // namespace ac
