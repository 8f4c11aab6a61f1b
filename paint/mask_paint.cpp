#include "paint/mask_paint.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "paint/mask_paint_internal.h"
#include "paint/mask_rows.h"
#include "pixels/blend.h"
#include "pixels/blend_fill.h"
#include "pixels/resample.h"

namespace ac {

namespace mask_detail {

TClipped ClipTransfer(const TRect& src, int32_t srcW, int32_t srcH, TPoint dstPoint, int32_t dstW,
                      int32_t dstH) {
  TClipped c{src.Left, src.Top, dstPoint.X, dstPoint.Y, src.Width(), src.Height()};
  auto clipLow = [](int32_t& s, int32_t& d, int32_t& n) {
    const int32_t cut = std::max({0, -s, -d});
    s += cut;
    d += cut;
    n -= cut;
  };
  clipLow(c.SX, c.DX, c.W);
  clipLow(c.SY, c.DY, c.H);
  c.W = std::min({c.W, srcW - c.SX, dstW - c.DX});
  c.H = std::min({c.H, srcH - c.SY, dstH - c.DY});
  return c;
}

void CopyClipped(const TsPixelBuffer& dst, TPoint at, const TsPixelBuffer& img, const TRect& src) {
  const TClipped c = ClipTransfer(src, img.Width, img.Height, at, dst.Width, dst.Height);
  if (c.IsEmpty()) return;
  for (int32_t y = 0; y < c.H; ++y)
    std::memcpy(dst.Row(c.DY + y) + c.DX, img.Row(c.SY + y) + c.SX, c.W * 4u);
}

TsPixelImage CopyRegion(const TsPixelBuffer& src, const TRect& rect) {
  TsPixelImage out(rect.Width(), rect.Height());
  const TClipped c = ClipTransfer(rect, src.Width, src.Height, {0, 0}, out.Width(), out.Height());
  // ClipTransfer moves the destination with a clipped source corner.
  if (c.IsEmpty()) return out;
  const int32_t ox = c.SX - rect.Left, oy = c.SY - rect.Top;
  for (int32_t y = 0; y < c.H; ++y)
    std::memcpy(out.View().Row(oy + y) + ox, src.Row(c.SY + y) + c.SX, c.W * 4u);
  return out;
}

namespace {

// Larger stretched pieces are sampled by nearest pixels only: filtering works
// on the whole piece, and no real border piece comes near this size (it is
// the area of a 8K screen), while a forged rectangle could ask for gigabytes.
constexpr int64_t kMaxFilteredPixels = int64_t{1} << 25;

TsPixelImage WindowNearest(const TsPixelBuffer& src, const TRect& rect, TSize size,
                           const TRect& window) {
  TsPixelImage out(window.Width(), window.Height());
  if (out.IsEmpty() || rect.IsEmpty()) return out;
  const int64_t sw = rect.Width(), sh = rect.Height();
  for (int32_t y = 0; y < out.Height(); ++y) {
    const int64_t sy = rect.Top + (window.Top + y) * sh / size.cy;
    if (sy < 0 || sy >= src.Height) continue;
    const uint32_t* s = src.Row(static_cast<int32_t>(sy));
    uint32_t* d = out.View().Row(y);
    for (int32_t x = 0; x < out.Width(); ++x) {
      const int64_t sx = rect.Left + (window.Left + x) * sw / size.cx;
      if (sx >= 0 && sx < src.Width) d[x] = s[sx];
    }
  }
  return out;
}

}  // namespace

TsPixelImage ScaleWindow(const TsPixelBuffer& src, const TRect& rect, TSize size,
                         const TRect& window, std::optional<int32_t> filter) {
  const bool filtered = filter && rect.Width() >= 2 && rect.Height() >= 2 &&
                        int64_t{size.cx} * size.cy <= kMaxFilteredPixels;
  if (!filtered) return WindowNearest(src, rect, size, window);
  TsPixelImage piece = CopyRegion(src, rect);
  TsPixelImage out;
  ResampleBuffer(out, piece.View(), size.cx, size.cy, *filter);
  if (out.Width() != size.cx || out.Height() != size.cy)
    return WindowNearest(src, rect, size, window);
  if (window == out.View().Bounds()) return out;
  return CopyRegion(out.View(), window);
}

TRect VisiblePart(const TRect& to, const TsPixelBuffer& dst) {
  return to.Intersect(dst.Bounds());
}

void StretchUnmasked(const TsPixelBuffer& dst, const TRect& to, const TsPixelBuffer& img,
                     const TRect& src, TImageKind kind, uint8_t opacity) {
  const TRect vis = VisiblePart(to, dst);
  if (vis.IsEmpty()) return;
  const TRect window = vis.Offset(-to.Left, -to.Top);
  const TSize size{to.Width(), to.Height()};
  if (kind == TImageKind::Keyed) {
    const TsPixelImage tmp = ScaleWindow(img, src, size, window, std::nullopt);
    CopyClipped(dst, vis.TopLeft(), tmp.View(), tmp.View().Bounds());
    return;
  }
  // A region at the image's origin is smoothed; elsewhere nearest pixels.
  const bool smooth = src.Left == 0 && src.Top == 0;
  const TsPixelImage tmp =
      ScaleWindow(img, src, size, window, smooth ? std::optional(rfMitchell) : std::nullopt);
  BlendOver(dst, vis.TopLeft(), tmp.View(), TSourceRect::XYWH(0, 0, tmp.Width(), tmp.Height()),
            opacity);
}

bool UseSmoothScaling(TSize src, TSize dst, bool smoothFlag) {
  if (dst.cx <= 1 || dst.cy <= 1) return false;
  const bool shrinkX = dst.cx < src.cx && dst.cy == src.cy;
  const bool shrinkY = dst.cy < src.cy && dst.cx == src.cx;
  return shrinkX || shrinkY || smoothFlag;
}

TsPixelBuffer EntryImage(const TsMaskData& mask) {
  const TsBitmapRef& image = mask.Bmp ? mask.Bmp : mask.MasterBmp;
  return image ? *image : TsPixelBuffer();
}

}  // namespace mask_detail

namespace {

using namespace mask_detail;
using namespace paint_limits;

constexpr int32_t kScratchPixels = 256;

// Fills Out with Period pixels (a whole number of tiles) of the Width-pixel
// tile at Tile, doubling what is already there; returns Out.
const uint32_t* RepeatTile(uint32_t* out, const uint32_t* tile, int32_t width, int32_t period) {
  std::memcpy(out, tile, width * 4u);
  for (int32_t have = width; have < period;) {
    const int32_t n = std::min(have, period - have);
    std::memcpy(out + have, out, n * 4u);
    have += n;
  }
  return out;
}

// Calls Run(x, phase, n) for the runs that cover R's columns with tiles of
// Period pixels, the first run starting Phase pixels into its tile.
template <typename RunRule>
void ForEachRun(const TRect& r, int32_t phase, int32_t period, RunRule run) {
  for (int32_t x = r.Left, ph = phase; x < r.Right;) {
    const int32_t n = std::min(period - ph, r.Right - x);
    run(x, ph, n);
    x += n;
    ph = 0;
  }
}

// The transfers of PaintMaskRect, by image kind.
class TPlainTransfer {
 public:
  TPlainTransfer(const TsPixelBuffer& dst, const TsPixelBuffer& img, const TsMaskData& mask,
                 const TCacheInfo& cache, TUseParent useParent)
      : FDst(dst), FImg(img), FMask(mask), FCache(cache) {
    FMasked = mask.MaskType != 0;
    FAlpha = HasDrawModeBit(mask.DrawMode, TDrawModeBit::Alpha);
    FCornerParent = useParent == TUseParent::Yes && (mask.Cfg & 3) != 0;
    // Rows of the image part: masked entries keep their masks below.
    FImageRows = FMasked ? std::max(0, img.Height - mask.Height) : img.Height;
  }

  void Corner(const TRect& src, TPoint at) {
    if (FMasked)
      Combine(src, at, FCache, FCornerParent);
    else if (FAlpha)
      BlendOver(FDst, at, FImg, TSourceRect::FromExclusive(src), 255);
    else
      CopyOverParent(FDst, at, FImg, TSourceRect::FromExclusive(src),
                     {FCache, FCornerParent ? TUseParent::Yes : TUseParent::No, clFuchsia});
  }

  void Tile(TMaskPieceKind, const TRect& src, TPoint at) {
    if (FMasked)
      Combine(src, at, TCacheInfo{}, false);
    else if (FAlpha)
      BlendOver(FDst, at, FImg, TSourceRect::FromExclusive(src), 255);
    else
      CopyClipped(FDst, at, FImg, src);
  }

  // Edges and centre of masked and keyed images tiled in one pass.
  bool TileArea(TMaskPieceKind, const TRect& src, const TRect& to) {
    if (FAlpha && !FMasked) return false;
    if (src.Left < 0 || src.Top < 0 || src.Right > FImg.Width || src.Bottom > FImageRows)
      return false;
    const TRect r = to.Intersect(FDst.Bounds());
    if (r.IsEmpty()) return true;
    const int32_t sw = src.Width(), sh = src.Height();
    // A skin's edge pieces are often one or two pixels long: laid out along a
    // scratch row first, a row of them is one kernel run instead of a call
    // per tile. The scratch length is a whole number of tiles, so it tiles the
    // same way as the piece.
    const bool repeat = sw < r.Width() && sw <= kScratchPixels / 2;
    const int32_t period = repeat ? kScratchPixels / sw * sw : sw;
    const int32_t phase = (r.Left - to.Left) % period;
    std::array<uint32_t, kScratchPixels> sRow, mRow;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      const int32_t sy = src.Top + (y - to.Top) % sh;
      const uint32_t* s = FImg.Row(sy) + src.Left;
      if (repeat) s = RepeatTile(sRow.data(), s, sw, period);
      uint32_t* d = FDst.Row(y);
      if (!FMasked) {
        ForEachRun(r, phase, period,
                   [&](int32_t x, int32_t ph, int32_t n) { std::memcpy(d + x, s + ph, n * 4u); });
        continue;
      }
      // Edges and centre never take the parent: key pixels are skipped.
      const uint32_t* m = FImg.Row(sy + FMask.Height) + src.Left;
      if (repeat) m = RepeatTile(mRow.data(), m, sw, period);
      ForEachRun(r, phase, period, [&](int32_t x, int32_t ph, int32_t n) {
        mask_rows::CombineKeyed(d + x, s + ph, m + ph, n, kKeyPixel);
      });
    }
    return true;
  }

  void Stretch(TMaskPieceKind kind, const TRect& src, const TRect& to) {
    if (FMasked)
      StretchMasked(src, to, kind == TMaskPieceKind::Centre);
    else
      StretchUnmasked(FDst, to, FImg, src, FAlpha ? TImageKind::Alpha : TImageKind::Keyed, 255);
  }

 private:
  // The masked combination of one same-size piece, by the cache table.
  void Combine(const TRect& src, TPoint at, const TCacheInfo& cache, bool parentAllowed) {
    const bool ready = cache.Ready;
    const uint32_t fill = ColorToPixel(static_cast<uint32_t>(cache.FillColor.C));
    const bool keyTest = (FMask.Cfg & 1) != 0;
    const TsPixelBuffer& pb = cache.Bmp;
    ForEachPiecePixel(FDst, at, FImg, src, FImageRows, FMask.Height,
                      [&](uint32_t& d, uint32_t sp, uint32_t m, int32_t x, int32_t y) {
                        if (ready && parentAllowed) {
                          const bool transparent = FAlpha ? (sp >> 24) == 0 : sp == kKeyPixel;
                          if (transparent) {
                            const int32_t px = x + cache.X, py = y + cache.Y;
                            if (pb.Contains(px, py)) d = pb.At(px, py);
                          } else if (FAlpha) {
                            d = AlphaMix(d, sp) | 0xFF000000u;
                          } else {
                            d = CombineThroughMask(d, sp, m) | 0xFF000000u;
                          }
                        } else if (ready) {
                          d = CombineThroughMask(d, sp, m) | 0xFF000000u;
                        } else if (parentAllowed) {
                          const bool transparent = keyTest ? sp == kKeyPixel : (sp >> 24) == 0;
                          d = transparent ? fill : CombineThroughMask(d, sp, m);
                        } else if (sp != kKeyPixel) {
                          d = CombineThroughMask(d, sp, m);
                        }
                      });
  }

  // d := s + (((a - 255) * (s - d)) >> 8) with an arithmetic shift.
  static uint32_t AlphaMix(uint32_t d, uint32_t s) {
    const int32_t a = static_cast<int32_t>(s >> 24);
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const int32_t sc = static_cast<int32_t>(Ch(s, shift)),
                    dc = static_cast<int32_t>(Ch(d, shift));
      const int32_t v = sc + (((a - 255) * (sc - dc)) >> 8);
      out |= static_cast<uint32_t>(std::clamp(v, 0, 255)) << shift;
    }
    return out;
  }

  // Scaled masked pieces are combined through their mask and made opaque; the
  // smoothed 1 x 1 dot mixes its colour by its one mask value.
  void StretchMasked(const TRect& src, const TRect& to, bool smooth) {
    mask_detail::StretchMasked(
        FDst, to, FImg, src, FMask.Height, smooth, {rfMitchell, rfMitchell},
        [](uint32_t d, uint32_t s, uint32_t m) {
          return CombineThroughMask(d, s, m) | 0xFF000000u;
        },
        [](uint32_t d, uint32_t c, uint32_t g) {
          return (d & 0xFF000000u) | (MaskMix(Ch(d, 16), Ch(c, 16), g) << 16) |
                 (MaskMix(Ch(d, 8), Ch(c, 8), g) << 8) | MaskMix(Ch(d, 0), Ch(c, 0), g);
        });
  }

  const TsPixelBuffer& FDst;
  TsPixelBuffer FImg;
  const TsMaskData& FMask;
  const TCacheInfo& FCache;
  bool FMasked = false;
  bool FAlpha = false;
  bool FCornerParent = false;
  int32_t FImageRows = 0;
};

}  // namespace

void PaintMaskRect(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& mask,
                   int32_t state, const TCacheInfo& cache, TUseParent useParent) {
  if (state == 0 && HasDrawModeBit(mask.DrawMode, TDrawModeBit::SkipState0)) return;
  if (!InPaintRange(rect) || !PaintableEntry(mask) || !InPaintRange(cache)) return;
  if (rect.Width() < 2 || rect.Height() < 2 || dst.IsEmpty()) return;
  const TsPixelBuffer img = EntryImage(mask);
  if (img.IsEmpty()) return;
  TPlainTransfer transfer(dst, img, mask, cache, useParent);
  PaintNineSlice(dst, rect, mask, state, TMaskBands{mask.WL, mask.WT, mask.WR, mask.WB}, transfer);
}

}  // namespace ac
