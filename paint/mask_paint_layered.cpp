// The nine-slice painters for layered-window images, whose alpha is shown:
// PaintMaskRectLayered and PaintMaskRectCapped.

#include <algorithm>
#include <cstring>

#include "pixels/blend.h"
#include "paint/mask_paint.h"
#include "paint/mask_paint_internal.h"
#include "pixels/resample.h"

namespace ac {

namespace {

using namespace mask_detail;

enum class TLayeredKind { Layered, Capped };

class TLayeredTransfer {
 public:
  TLayeredTransfer(const TsPixelBuffer& dst, const TsPixelBuffer& img, const TsMaskData& mask,
                   const TCacheInfo& cache, TLayeredKind kind, uint8_t opacity)
      : FDst(dst), FImg(img), FMask(mask), FCache(cache), FKind(kind), FOpacity(opacity) {
    FMasked = mask.MaskType != 0;
    FAlpha = (mask.DrawMode & kAlphaBit) != 0;
    FImageRows = FMasked ? std::max(0, img.Height - mask.Height) : img.Height;
  }

  void Corner(const TRect& src, TPoint at) { Piece(src, at, FCache); }
  void Tile(TMaskPieceKind, const TRect& src, TPoint at) { Piece(src, at, TCacheInfo{}); }

  void Stretch(TMaskPieceKind kind, const TRect& src, const TRect& to) {
    const int32_t w = to.Width(), h = to.Height();
    const bool smooth = kind == TMaskPieceKind::Centre;
    if (FMasked) {
      StretchMasked(src, to, smooth);
    } else if (FAlpha) {
      TsPixelImage tmp = (src.Left == 0 && src.Top == 0)
                             ? ScaleFiltered(FImg, src, w, h, rfMitchell)
                             : ScaleNearest(FImg, src, w, h);
      BlendOver(FDst, to.TopLeft(), tmp.View(), TSourceRect::XYWH(0, 0, w, h), Opacity());
    } else {
      TsPixelImage tmp = ScaleNearest(FImg, src, w, h);
      CopyPlain(tmp.View(), TRect::XYWH(0, 0, w, h), to.TopLeft());
    }
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
      CopyPlain(FImg, src, at);
    }
  }

  void CopyPlain(const TsPixelBuffer& from, const TRect& src, TPoint at) {
    const TClipped c = ClipTransfer(src, from.Width, from.Height, at, FDst.Width, FDst.Height);
    for (int32_t y = 0; y < c.H; ++y)
      std::memcpy(FDst.Row(c.DY + y) + c.DX, from.Row(c.SY + y) + c.SX, c.W * 4u);
  }

  static uint32_t Mix(uint32_t d, uint32_t s, uint32_t keep, uint32_t give) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
      out |= (((Ch(d, shift) * keep + Ch(s, shift) * give) >> 8) & 0xFFu) << shift;
    return out;
  }

  // A same-size masked piece, combined through the red mask byte.
  void Combine(const TRect& src, TPoint at, const TCacheInfo& cache) {
    const TClipped c = ClipTransfer(src, FImg.Width, FImageRows, at, FDst.Width, FDst.Height);
    if (c.IsEmpty()) return;
    const bool parent = cache.Ready && cache.HasBmp();
    for (int32_t y = 0; y < c.H; ++y) {
      const uint32_t* s = FImg.Row(c.SY + y) + c.SX;
      const uint32_t* mk = FImg.Row(c.SY + y + FMask.Height) + c.SX;
      uint32_t* d = FDst.Row(c.DY + y) + c.DX;
      const int32_t py = c.DY + y + cache.Y;
      for (int32_t x = 0; x < c.W; ++x) {
        if (s[x] == kKeyPixel) {
          const int32_t px = c.DX + x + cache.X;
          if (parent) {
            if (cache.Bmp.Contains(px, py)) d[x] = cache.Bmp.At(px, py);
          } else {
            d[x] &= 0x00FFFFFFu;
          }
          continue;
        }
        const uint32_t m = Ch(mk[x], 16);
        uint32_t a = d[x] >> 24;
        uint32_t rgb;
        if (FKind == TLayeredKind::Layered) {
          rgb = Mix(d[x], s[x], m, 255 - m);
          a = std::max(a, 255 - m);
        } else {
          const uint32_t u = ((255 - m) * FOpacity) >> 8;
          rgb = Mix(d[x], s[x], 255 - u, u);
          a = a == 0 ? (parent ? 255 - m : u) : std::max(a, 255 - m);
        }
        d[x] = rgb | (a << 24);
      }
    }
  }

  void StretchMasked(const TRect& src, const TRect& to, bool smooth) {
    const TRect maskSrc = src.Offset(0, FMask.Height);
    if (smooth && src.Width() == 1 && src.Height() == 1) {
      if (!FImg.Contains(src.Left, src.Top) || !FImg.Contains(maskSrc.Left, maskSrc.Top)) return;
      SmoothedDot(FImg.At(src.Left, src.Top), Ch(FImg.At(maskSrc.Left, maskSrc.Top), 16), to);
      return;
    }
    const int32_t w = to.Width(), h = to.Height();
    const bool filtered = UseSmoothScaling({src.Width(), src.Height()}, {w, h}, smooth);
    TsPixelImage img =
        filtered ? ScaleFiltered(FImg, src, w, h, rfMitchell) : ScaleNearest(FImg, src, w, h);
    TsPixelImage msk = filtered ? ScaleFiltered(FImg, maskSrc, w, h, rfHermite)
                                : ScaleNearest(FImg, maskSrc, w, h);
    const TClipped c =
        ClipTransfer(TRect::XYWH(0, 0, w, h), w, h, to.TopLeft(), FDst.Width, FDst.Height);
    for (int32_t y = 0; y < c.H; ++y) {
      const uint32_t* s = img.View().Row(c.SY + y) + c.SX;
      const uint32_t* mk = msk.View().Row(c.SY + y) + c.SX;
      uint32_t* d = FDst.Row(c.DY + y) + c.DX;
      for (int32_t x = 0; x < c.W; ++x) {
        const uint32_t h8 = Ch(mk[x], 16);
        if (h8 == 255) continue;
        uint32_t a = d[x] >> 24;
        if (FKind == TLayeredKind::Layered) {
          if (h8 == 0) {
            d[x] = (s[x] & 0x00FFFFFFu) | 0xFF000000u;
            continue;
          }
          d[x] = Mix(d[x], s[x], h8, 255 - h8) | (std::max(a, 255 - h8) << 24);
        } else if (h8 == 0) {
          a = std::max(a, ((mk[x] >> 24) * FOpacity) >> 8);
          d[x] = Mix(d[x], s[x], 255u - FOpacity, FOpacity) | (a << 24);
        } else {
          const uint32_t u = ((255 - h8) * FOpacity) >> 8;
          if (a == 0)
            a = u;
          else if (a < 255 - h8)
            a = 255 - h8;
          d[x] = Mix(d[x], s[x], 255 - u, u) | (a << 24);
        }
      }
    }
  }

  void SmoothedDot(uint32_t c, uint32_t g, const TRect& to) {
    if (g == 255) return;
    const TRect r = to.Intersect(FDst.Bounds());
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      uint32_t* d = FDst.Row(y);
      for (int32_t x = r.Left; x < r.Right; ++x) {
        if (g == 0) {
          d[x] = (c & 0x00FFFFFFu) | 0xFF000000u;
          continue;
        }
        const uint32_t a = d[x] >> 24;
        uint32_t rgb;
        if (FKind == TLayeredKind::Layered) {
          const uint32_t l = std::min(g, a);
          rgb = Mix(d[x], c, l, 255 - l);
        } else {
          const uint32_t u = ((255 - g) * FOpacity) >> 8;
          rgb = Mix(d[x], c, 255 - u, u);
        }
        d[x] = rgb | (std::max(a, 255 - g) << 24);
      }
    }
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

void PaintLayered(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                  int32_t state, const TsMaskData& mask, TMaskBands bands, TLayeredKind kind,
                  uint8_t opacity) {
  if (state == 0 && (mask.DrawMode & kSkipState0Bit) != 0) return;
  if (rect.Width() < 2 || rect.Height() < 2 || dst.IsEmpty()) return;
  const TsPixelBuffer img = EntryImage(mask);
  if (img.IsEmpty()) return;
  TLayeredTransfer transfer(dst, img, mask, cache, kind, opacity);
  PaintNineSlice(dst, rect, state, mask, bands, transfer);
}

}  // namespace

void PaintMaskRectLayered(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                          int32_t state, const TsMaskData& mask) {
  PaintLayered(dst, rect, cache, state, mask, TMaskBands{mask.WL, mask.WT, mask.WR, mask.WB},
               TLayeredKind::Layered, 255);
}

void PaintMaskRectCapped(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                         uint8_t opacity, const TRect& caps, int32_t state,
                         const TsMaskData& mask) {
  const TMaskBands bands{std::min(mask.WL, caps.Left), std::min(mask.WT, caps.Top),
                         std::min(mask.WR, caps.Right), std::min(mask.WB, caps.Bottom)};
  PaintLayered(dst, rect, cache, state, mask, bands, TLayeredKind::Capped, opacity);
}

}  // namespace ac
