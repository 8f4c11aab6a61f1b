#include "paint/mask_paint.h"

#include <algorithm>
#include <cstring>

#include "pixels/blend.h"
#include "pixels/blend_fill.h"
#include "paint/mask_paint_internal.h"
#include "pixels/resample.h"
#include "skin/skin_manager_core.h"

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

TsPixelImage ScaleNearest(const TsPixelBuffer& src, const TRect& rect, int32_t w, int32_t h) {
  TsPixelImage out(w, h);
  if (out.IsEmpty() || rect.IsEmpty()) return out;
  const int32_t sw = rect.Width(), sh = rect.Height();
  for (int32_t y = 0; y < h; ++y) {
    const int32_t sy = rect.Top + static_cast<int32_t>(static_cast<int64_t>(y) * sh / h);
    if (sy < 0 || sy >= src.Height) continue;
    const uint32_t* s = src.Row(sy);
    uint32_t* d = out.View().Row(y);
    for (int32_t x = 0; x < w; ++x) {
      const int32_t sx = rect.Left + static_cast<int32_t>(static_cast<int64_t>(x) * sw / w);
      if (sx >= 0 && sx < src.Width) d[x] = s[sx];
    }
  }
  return out;
}

TsPixelImage ScaleFiltered(const TsPixelBuffer& src, const TRect& rect, int32_t w, int32_t h,
                           int32_t filter) {
  if (rect.Width() < 2 || rect.Height() < 2) return ScaleNearest(src, rect, w, h);
  TsPixelImage piece = CopyRegion(src, rect);
  TsPixelImage out;
  ResampleBuffer(out, piece.View(), w, h, filter);
  if (out.Width() != w || out.Height() != h) return ScaleNearest(src, rect, w, h);
  return out;
}

bool UseSmoothScaling(TSize src, TSize dst, bool smoothFlag) {
  if (dst.cx <= 1 || dst.cy <= 1) return false;
  const bool shrinkX = dst.cx < src.cx && dst.cy == src.cy;
  const bool shrinkY = dst.cy < src.cy && dst.cx == src.cx;
  return shrinkX || shrinkY || smoothFlag;
}

TsPixelBuffer EntryImage(const TsMaskData& mask) {
  if (mask.Manager == nullptr) return {};
  if (mask.Bmp) return *mask.Bmp;
  if (mask.Manager->MasterBitmap) return *mask.Manager->MasterBitmap;
  return {};
}

}  // namespace mask_detail

namespace {

using namespace mask_detail;

// The transfers of PaintMaskRect, by image kind.
class TPlainTransfer {
 public:
  TPlainTransfer(const TsPixelBuffer& dst, const TsPixelBuffer& img, const TsMaskData& mask,
                 const TCacheInfo& cache, TUseParent useParent)
      : FDst(dst), FImg(img), FMask(mask), FCache(cache) {
    FMasked = mask.MaskType != 0;
    FAlpha = (mask.DrawMode & kAlphaBit) != 0;
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
      Copy(src, at);
  }

  // Edges and centre of masked and keyed images tiled in one pass.
  bool TileArea(TMaskPieceKind, const TRect& src, const TRect& to) {
    if (FAlpha && !FMasked) return false;
    if (src.Left < 0 || src.Top < 0 || src.Right > FImg.Width || src.Bottom > FImageRows)
      return false;
    const TRect r = to.Intersect(FDst.Bounds());
    if (r.IsEmpty()) return true;
    const int32_t sw = src.Width(), sh = src.Height();
    const int32_t phaseX = (r.Left - to.Left) % sw;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      const int32_t sy = src.Top + (y - to.Top) % sh;
      const uint32_t* s = FImg.Row(sy) + src.Left;
      uint32_t* d = FDst.Row(y);
      if (!FMasked) {
        for (int32_t x = r.Left, ph = phaseX; x < r.Right;) {
          const int32_t n = std::min(sw - ph, r.Right - x);
          std::memcpy(d + x, s + ph, n * 4u);
          x += n;
          ph = 0;
        }
        continue;
      }
      // Edges and centre never take the parent: key pixels are skipped.
      const uint32_t* m = FImg.Row(sy + FMask.Height) + src.Left;
      for (int32_t x = r.Left, ph = phaseX; x < r.Right; ++x) {
        if (s[ph] != kKeyPixel) d[x] = CombineThroughMask(d[x], s[ph], m[ph]);
        if (++ph == sw) ph = 0;
      }
    }
    return true;
  }

  void Stretch(TMaskPieceKind kind, const TRect& src, const TRect& to) {
    const int32_t w = to.Width(), h = to.Height();
    if (FMasked) {
      StretchMasked(src, to, kind == TMaskPieceKind::Centre);
    } else if (FAlpha) {
      // A region at the image's origin is smoothed; elsewhere nearest pixels.
      TsPixelImage tmp = (src.Left == 0 && src.Top == 0)
                             ? ScaleFiltered(FImg, src, w, h, rfMitchell)
                             : ScaleNearest(FImg, src, w, h);
      BlendOver(FDst, to.TopLeft(), tmp.View(), TSourceRect::XYWH(0, 0, w, h), 255);
    } else {
      TsPixelImage tmp = ScaleNearest(FImg, src, w, h);
      Copy(tmp.View(), TRect::XYWH(0, 0, w, h), to.TopLeft());
    }
  }

 private:
  void Copy(const TRect& src, TPoint at) { Copy(FImg, src, at); }
  void Copy(const TsPixelBuffer& from, const TRect& src, TPoint at) {
    const TClipped c = ClipTransfer(src, from.Width, from.Height, at, FDst.Width, FDst.Height);
    if (c.IsEmpty()) return;
    for (int32_t y = 0; y < c.H; ++y)
      std::memcpy(FDst.Row(c.DY + y) + c.DX, from.Row(c.SY + y) + c.SX, c.W * 4u);
  }

  // The masked combination of one same-size piece, by the cache table.
  void Combine(const TRect& src, TPoint at, const TCacheInfo& cache, bool parentAllowed) {
    const TClipped c = ClipTransfer(src, FImg.Width, FImageRows, at, FDst.Width, FDst.Height);
    if (c.IsEmpty()) return;
    const bool ready = cache.Ready;
    const uint32_t fill = ColorToPixel(static_cast<uint32_t>(cache.FillColor.C));
    const bool keyTest = (FMask.Cfg & 1) != 0;
    const TsPixelBuffer& pb = cache.Bmp;
    for (int32_t y = 0; y < c.H; ++y) {
      const uint32_t* s = FImg.Row(c.SY + y) + c.SX;
      const uint32_t* m = FImg.Row(c.SY + y + FMask.Height) + c.SX;
      uint32_t* d = FDst.Row(c.DY + y) + c.DX;
      const int32_t py = c.DY + y + cache.Y;
      for (int32_t x = 0; x < c.W; ++x) {
        const uint32_t sp = s[x];
        if (ready && parentAllowed) {
          const bool transparent = FAlpha ? (sp >> 24) == 0 : sp == kKeyPixel;
          if (transparent) {
            const int32_t px = c.DX + x + cache.X;
            if (pb.Contains(px, py)) d[x] = pb.At(px, py);
            continue;
          }
          if (FAlpha) {
            d[x] = AlphaMix(d[x], sp) | 0xFF000000u;
          } else {
            d[x] = CombineThroughMask(d[x], sp, m[x]) | 0xFF000000u;
          }
        } else if (ready) {
          d[x] = CombineThroughMask(d[x], sp, m[x]) | 0xFF000000u;
        } else if (parentAllowed) {
          const bool transparent = keyTest ? sp == kKeyPixel : (sp >> 24) == 0;
          d[x] = transparent ? fill : CombineThroughMask(d[x], sp, m[x]);
        } else if (sp != kKeyPixel) {
          d[x] = CombineThroughMask(d[x], sp, m[x]);
        }
      }
    }
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

  void StretchMasked(const TRect& src, const TRect& to, bool smooth) {
    const TRect maskSrc = src.Offset(0, FMask.Height);
    if (smooth && src.Width() == 1 && src.Height() == 1) {
      if (!FImg.Contains(src.Left, src.Top) || !FImg.Contains(maskSrc.Left, maskSrc.Top)) return;
      FillSmoothedDot(FImg.At(src.Left, src.Top), Ch(FImg.At(maskSrc.Left, maskSrc.Top), 16), to);
      return;
    }
    const int32_t w = to.Width(), h = to.Height();
    const bool filtered = UseSmoothScaling({src.Width(), src.Height()}, {w, h}, smooth);
    TsPixelImage img =
        filtered ? ScaleFiltered(FImg, src, w, h, rfMitchell) : ScaleNearest(FImg, src, w, h);
    TsPixelImage msk = filtered ? ScaleFiltered(FImg, maskSrc, w, h, rfMitchell)
                                : ScaleNearest(FImg, maskSrc, w, h);
    const TClipped c =
        ClipTransfer(TRect::XYWH(0, 0, w, h), w, h, to.TopLeft(), FDst.Width, FDst.Height);
    for (int32_t y = 0; y < c.H; ++y) {
      const uint32_t* s = img.View().Row(c.SY + y) + c.SX;
      const uint32_t* m = msk.View().Row(c.SY + y) + c.SX;
      uint32_t* d = FDst.Row(c.DY + y) + c.DX;
      for (int32_t x = 0; x < c.W; ++x) d[x] = CombineThroughMask(d[x], s[x], m[x]) | 0xFF000000u;
    }
  }

  // A 1 x 1 centre: colour C with one mask value G over the whole rectangle.
  void FillSmoothedDot(uint32_t c, uint32_t g, const TRect& to) {
    if (g == 255) return;
    const TRect r = to.Intersect(FDst.Bounds());
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      uint32_t* d = FDst.Row(y);
      for (int32_t x = r.Left; x < r.Right; ++x) {
        if (g == 0)
          d[x] = (c & 0x00FFFFFFu) | 0xFF000000u;
        else
          d[x] = (d[x] & 0xFF000000u) | (MaskMix(Ch(d[x], 16), Ch(c, 16), g) << 16) |
                 (MaskMix(Ch(d[x], 8), Ch(c, 8), g) << 8) | MaskMix(Ch(d[x], 0), Ch(c, 0), g);
      }
    }
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

void PaintMaskRect(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                   TUseParent useParent, int32_t state, const TsMaskData& mask) {
  if (state == 0 && (mask.DrawMode & kSkipState0Bit) != 0) return;
  if (rect.Width() < 2 || rect.Height() < 2 || dst.IsEmpty()) return;
  const TsPixelBuffer img = EntryImage(mask);
  if (img.IsEmpty()) return;
  TPlainTransfer transfer(dst, img, mask, cache, useParent);
  PaintNineSlice(dst, rect, state, mask, TMaskBands{mask.WL, mask.WT, mask.WR, mask.WB}, transfer);
}

}  // namespace ac
