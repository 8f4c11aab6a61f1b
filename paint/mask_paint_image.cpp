#include "paint/mask_paint_image.h"

#include <algorithm>

#include "paint/mask_paint_internal.h"
#include "pixels/blend.h"
#include "pixels/blend_parent.h"
#include "skin/skin_data_lookup.h"

namespace ac {

namespace {

using namespace mask_detail;
using namespace paint_limits;

// The glyph rules: masked, alpha and keyed frames combined with what Dst holds.
void PaintGlyph(const TsPixelBuffer& dst, const TsPixelBuffer& img, const TsMaskData& mask,
                const TRect& src, TPoint at, TFrameStrength strength) {
  const bool full = strength == TFrameStrength::Full;
  if (mask.MaskType == 0 && !HasDrawModeBit(mask.DrawMode, TDrawModeBit::Alpha)) {
    CopyKeyedArea(dst, at, img, TSourceRect::FromExclusive(src), full ? 0 : 180, clFuchsia);
    return;
  }
  const bool masked = mask.MaskType != 0;
  const int32_t maskOffset = masked ? mask.R.Height() / (mask.MaskType + 1) : 0;
  if (maskOffset < 0) return;  // an upside-down R: no mask rows below the image
  const int32_t rows = masked ? std::max(0, img.Height - maskOffset) : img.Height;
  ForEachPiecePixel(dst, at, img, src, rows, maskOffset,
                    [&](uint32_t& d, uint32_t s, uint32_t mk, int32_t, int32_t) {
                      uint32_t a = d >> 24;
                      uint32_t rgb = d & 0x00FFFFFFu;
                      if (masked) {
                        const uint32_t red = Ch(mk, 16);
                        if (s != kKeyPixel && red != 255) {
                          rgb = 0;
                          for (int shift = 0; shift < 24; shift += 8) {
                            uint32_t m = Ch(mk, shift);
                            if (!full) m = m > 154 ? 255 : m + 100;
                            rgb |= MaskMix(Ch(d, shift), Ch(s, shift), m) << shift;
                          }
                        }
                        a += ((255 - a) * (255 - red)) >> 8;
                      } else {
                        const uint32_t sa = s >> 24;
                        const uint32_t k = 255 - sa;
                        const uint32_t w = full ? k : (sa <= 100 ? 255 : k + 100);
                        rgb = 0;
                        for (int shift = 0; shift < 24; shift += 8)
                          rgb |= MaskMix(Ch(d, shift), Ch(s, shift), w) << shift;
                        a += ((255 - a) * sa) >> 8;
                      }
                      d = rgb | (a << 24);
                    });
}

}  // namespace

void PaintMaskImage(const TsPixelBuffer& dst, TPoint point, const TsMaskData& mask, int32_t state,
                    const TCacheInfo& cache, TFrameStrength strength) {
  if (dst.IsEmpty() || mask.Width <= 0 || mask.Height <= 0) return;
  if (!InPaintRange(point) || !PaintableEntry(mask) || !InPaintRange(cache)) return;
  const TsPixelBuffer img = EntryImage(mask);
  if (img.IsEmpty()) return;
  const int32_t frame = MaskFrameIndex(state, mask.ImageCount);
  const int64_t left = mask.R.Left + int64_t{frame} * mask.Width;
  if (!InPaintRange(left)) return;
  const TRect src = TRect::XYWH(static_cast<int32_t>(left), mask.R.Top, mask.Width, mask.Height);
  // A negative point crops the frame; ClipTransfer and the blends do the same,
  // so the crop is left to them.
  if (mask.Bmp) {
    if (img.Width < mask.R.Right || img.Height < mask.R.Bottom) return;
    PaintGlyph(dst, img, mask, src, point, strength);
    return;
  }
  if (mask.ImageCount <= 0) return;
  const bool full = strength == TFrameStrength::Full;
  if (mask.MaskType != 0) {
    PaintGlyph(dst, img, mask, src, point, strength);
  } else if (HasDrawModeBit(mask.DrawMode, TDrawModeBit::Alpha)) {
    BlendOver(dst, point, img, TSourceRect::FromExclusive(src), full ? 255 : 127);
  } else if (full) {
    CopyOverParent(dst, point, img, TSourceRect::FromExclusive(src),
                   {cache, TUseParent::Yes, clFuchsia});
  } else {
    MixKeyedArea(dst, point, img, TSourceRect::FromExclusive(src), 127, clFuchsia);
  }
}

void MaskCornerRects(TRects& rects, const TsPixelBuffer& image, const TRect& r,
                     const TsCornerScan& scan) {
  if (image.IsEmpty() || !InPaintRange(r) || !InPaintRange(scan.Corners.L) ||
      !InPaintRange(scan.Corners.T) || !InPaintRange(scan.Corners.R) ||
      !InPaintRange(scan.Corners.B) || !InPaintRange(scan.OffsetX) || !InPaintRange(scan.Y0) ||
      !InPaintRange(scan.TotalWidth))
    return;
  const bool top = scan.Band == TCornerBand::Top;
  const uint32_t key = scan.Key;
  const int32_t rows = top ? scan.Corners.T : scan.Corners.B;
  const int32_t imageRows = scan.Masked == TMaskRows::Present ? r.Height() / 2 : r.Height();
  const int32_t first = top ? r.Top : r.Top + imageRows - rows;
  // A band reaching past the image's last row is left alone.
  if (rows <= 0 || first < 0 || first + rows > image.Height) return;
  const int32_t w = r.Width();
  auto runs = [&](const uint32_t* row, int32_t from, int32_t to, int32_t xBase, int32_t y) {
    from = std::max(from, 0);
    to = std::min(to, w);
    for (int32_t k = from; k < to;) {
      const int32_t col = r.Left + k;
      if (col < 0 || col >= image.Width || row[col] != key) {
        ++k;
        continue;
      }
      int32_t end = k + 1;
      while (end < to && r.Left + end < image.Width && row[r.Left + end] == key) ++end;
      rects.push_back(TRect::XYWH(xBase + k, y, end - k, 1));
      k = end;
    }
  };
  for (int32_t i = 0; i < rows; ++i) {
    const uint32_t* row = image.Row(first + i);
    runs(row, 0, scan.Corners.L, scan.OffsetX, scan.Y0 + i);
    runs(row, w - scan.Corners.R, w, scan.TotalWidth - w - scan.OffsetX, scan.Y0 + i);
  }
}

void FillKeyFromBack(const TsPixelBuffer& dst, const TRect& area, const TsPixelBuffer& back,
                     TPoint backPoint, int32_t corner, const TacSkinData& skinData,
                     int32_t maskIndex) {
  if (!InPaintRange(area) || !InPaintRange(backPoint)) return;
  if (maskIndex == -1) {
    FillKeyFromBack(dst, area, back, backPoint, corner, nullptr);
    return;
  }
  if (!IsValidImgIndex(skinData, maskIndex)) return;
  const TsMaskData& m = skinData.ma[static_cast<std::size_t>(maskIndex)];
  if (!PaintableEntry(m)) return;
  const TCornerMask cm{EntryImage(m), m.R, m.Width, m.Height, m.WR, m.WB};
  FillKeyFromBack(dst, area, back, backPoint, corner, &cm);
}

}  // namespace ac
