// The nine-slice painters for layered-window images, whose alpha is shown:
// PaintMaskRectLayered and PaintMaskRectCapped.

#include <algorithm>
#include <cstring>

#include "paint/mask_paint.h"
#include "paint/mask_paint_internal.h"
#include "pixels/blend.h"
#include "pixels/resample.h"

namespace ac {

namespace {

using namespace mask_detail;
using namespace paint_limits;

enum class TLayeredKind { Layered, Capped };

class TLayeredTransfer {
 public:
  TLayeredTransfer(const TsPixelBuffer& dst, const TsPixelBuffer& img, const TsMaskData& mask,
                   const TCacheInfo& cache, TLayeredKind kind, uint8_t opacity)
      : FDst(dst), FImg(img), FMask(mask), FCache(cache), FKind(kind), FOpacity(opacity) {
    FMasked = mask.MaskType != 0;
    FAlpha = HasDrawModeBit(mask.DrawMode, TDrawModeBit::Alpha);
    FImageRows = FMasked ? std::max(0, img.Height - mask.Height) : img.Height;
  }

  void Corner(const TRect& src, TPoint at) { Piece(src, at, FCache); }
  void Tile(TMaskPieceKind, const TRect& src, TPoint at) { Piece(src, at, TCacheInfo{}); }

  void Stretch(TMaskPieceKind kind, const TRect& src, const TRect& to) {
    if (FMasked)
      StretchMasked(src, to, kind == TMaskPieceKind::Centre);
    else
      StretchUnmasked(FDst, to, FImg, src, FAlpha ? TImageKind::Alpha : TImageKind::Keyed,
                      Opacity());
  }

 private:
  uint8_t Opacity() const { return FKind == TLayeredKind::Capped ? FOpacity : 255; }

  void Piece(const TRect& src, TPoint at, const TCacheInfo& cache) {
    if (FMasked) {
      Combine(src, at, cache);
    } else if (FAlpha) {
      BlendOver(FDst, at, FImg, TSourceRect::FromExclusive(src), Opacity());
    } else if (cache.Ready || cache.FillColor.C != clFuchsia) {
      CopyOverParent(FDst, at, FImg, TSourceRect::FromExclusive(src),
                     {cache, TUseParent::Yes, clFuchsia});
    } else {
      CopyClipped(FDst, at, FImg, src);
    }
  }

  static uint32_t Mix(uint32_t d, uint32_t s, uint32_t keep, uint32_t give) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
      out |= (((Ch(d, shift) * keep + Ch(s, shift) * give) >> 8) & 0xFFu) << shift;
    return out;
  }

  // A same-size masked piece, combined through the red mask byte.
  void Combine(const TRect& src, TPoint at, const TCacheInfo& cache) {
    const bool parent = cache.Ready && cache.HasBmp();
    ForEachPiecePixel(FDst, at, FImg, src, FImageRows, FMask.Height,
                      [&](uint32_t& d, uint32_t s, uint32_t mk, int32_t x, int32_t y) {
                        if (s == kKeyPixel) {
                          const int32_t px = x + cache.X, py = y + cache.Y;
                          if (parent) {
                            if (cache.Bmp.Contains(px, py)) d = cache.Bmp.At(px, py);
                          } else {
                            d &= 0x00FFFFFFu;
                          }
                          return;
                        }
                        const uint32_t m = Ch(mk, 16);
                        uint32_t a = d >> 24;
                        uint32_t rgb;
                        if (FKind == TLayeredKind::Layered) {
                          rgb = Mix(d, s, m, 255 - m);
                          a = std::max(a, 255 - m);
                        } else {
                          const uint32_t u = ((255 - m) * FOpacity) >> 8;
                          rgb = Mix(d, s, 255 - u, u);
                          a = a == 0 ? (parent ? 255 - m : u) : std::max(a, 255 - m);
                        }
                        d = rgb | (a << 24);
                      });
  }

  // Scaled masked pieces: the image resampled with the Mitchell filter and
  // the mask with the Hermite filter when smoothed; h is the scaled mask's red
  // byte.
  void StretchMasked(const TRect& src, const TRect& to, bool smooth) {
    const uint32_t op = FOpacity;
    if (FKind == TLayeredKind::Layered) {
      mask_detail::StretchMasked(
          FDst, to, FImg, src, FMask.Height, smooth, {rfMitchell, rfHermite},
          [](uint32_t d, uint32_t s, uint32_t m) {
            const uint32_t h = Ch(m, 16);
            if (h == 255) return d;
            if (h == 0) return (s & 0x00FFFFFFu) | 0xFF000000u;
            return Mix(d, s, h, 255 - h) | (std::max(d >> 24, 255 - h) << 24);
          },
          [](uint32_t d, uint32_t c, uint32_t g) {
            const uint32_t a = d >> 24, l = std::min(g, a);
            return Mix(d, c, l, 255 - l) | (std::max(a, 255 - g) << 24);
          });
      return;
    }
    mask_detail::StretchMasked(
        FDst, to, FImg, src, FMask.Height, smooth, {rfMitchell, rfHermite},
        [op](uint32_t d, uint32_t s, uint32_t m) {
          const uint32_t h = Ch(m, 16);
          uint32_t a = d >> 24;
          if (h == 255) return d;
          if (h == 0) {
            a = std::max(a, ((m >> 24) * op) >> 8);
            return Mix(d, s, 255 - op, op) | (a << 24);
          }
          const uint32_t u = ((255 - h) * op) >> 8;
          if (a == 0)
            a = u;
          else if (a < 255 - h)
            a = 255 - h;
          return Mix(d, s, 255 - u, u) | (a << 24);
        },
        [op](uint32_t d, uint32_t c, uint32_t g) {
          const uint32_t u = ((255 - g) * op) >> 8;
          return Mix(d, c, 255 - u, u) | (std::max(d >> 24, 255 - g) << 24);
        });
  }

  const TsPixelBuffer& FDst;
  TsPixelBuffer FImg;
  const TsMaskData& FMask;
  const TCacheInfo& FCache;
  TLayeredKind FKind;
  uint8_t FOpacity;
  bool FMasked = false;
  bool FAlpha = false;
  int32_t FImageRows = 0;
};

void PaintLayered(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& mask,
                  int32_t state, const TCacheInfo& cache, TMaskBands bands, TLayeredKind kind,
                  uint8_t opacity) {
  if (state == 0 && HasDrawModeBit(mask.DrawMode, TDrawModeBit::SkipState0)) return;
  if (!InPaintRange(rect) || !PaintableEntry(mask) || !InPaintRange(cache)) return;
  if (rect.Width() < 2 || rect.Height() < 2 || dst.IsEmpty()) return;
  const TsPixelBuffer img = EntryImage(mask);
  if (img.IsEmpty()) return;
  TLayeredTransfer transfer(dst, img, mask, cache, kind, opacity);
  PaintNineSlice(dst, rect, mask, state, bands, transfer);
}

}  // namespace

void PaintMaskRectLayered(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& mask,
                          int32_t state, const TCacheInfo& cache) {
  PaintLayered(dst, rect, mask, state, cache, TMaskBands{mask.WL, mask.WT, mask.WR, mask.WB},
               TLayeredKind::Layered, 255);
}

void PaintMaskRectCapped(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& mask,
                         int32_t state, const TCacheInfo& cache, const TRect& caps,
                         uint8_t opacity) {
  if (!InPaintRange(caps)) return;
  const TMaskBands bands{std::min(mask.WL, caps.Left), std::min(mask.WT, caps.Top),
                         std::min(mask.WR, caps.Right), std::min(mask.WB, caps.Bottom)};
  PaintLayered(dst, rect, mask, state, cache, bands, TLayeredKind::Capped, opacity);
}

}  // namespace ac
