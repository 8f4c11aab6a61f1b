#include "skin/load_rescale.h"

#include <algorithm>
#include <string>

#include "pixels/resample.h"
#include "skin/load_images.h"
#include "skin/option_values.h"

namespace ac {

namespace {

// Replaces key pixels in Area by MainColor at alpha 0 so that resampling
// blends the edges toward the skin's colour instead of magenta.
void PrepareKeyPixels(const TsPixelBuffer& buf, const TRect& area, uint32_t replacement) {
  const TRect r = ClipToBuffer(area, buf);
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = r.Left; x < r.Right; ++x)
      if (row[x] == kKeyPixel) row[x] = replacement;
  }
}

void WhitenKeyPixels(const TsPixelBuffer& buf) {
  for (int32_t y = 0; y < buf.Height; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = 0; x < buf.Width; ++x)
      if (row[x] == kKeyPixel) row[x] = 0x00FFFFFFu;
  }
}

// Rows [Top, Bottom) of the view, as a view.
TsPixelBuffer Rows(const TsPixelBuffer& buf, int32_t top, int32_t bottom) {
  if (buf.IsEmpty() || top >= bottom) return {};
  return TsPixelBuffer(buf.RowBytes(top), buf.Width, bottom - top, buf.Stride);
}

void CopyInto(const TsPixelBuffer& dst, int32_t dstTop, const TsPixelBuffer& src) {
  const int32_t w = std::min(dst.Width, src.Width);
  for (int32_t y = 0; y < src.Height && dstTop + y < dst.Height; ++y)
    std::copy(src.Row(y), src.Row(y) + w, dst.Row(dstTop + y));
}

}  // namespace

void ScaleMaskBands(TsMaskData& md, int32_t cellWidth, int32_t cellHeight) {
  md.WL = MulDivRound(md.WL, md.MulPPi, md.DivPPI);
  md.WT = MulDivRound(md.WT, md.MulPPi, md.DivPPI);
  md.WR = MulDivRound(md.WR, md.MulPPi, md.DivPPI);
  md.WB = MulDivRound(md.WB, md.MulPPi, md.DivPPI);
  // A band wider than the cell would make painting read outside it; the
  // limits keep at least one pixel for the middle.
  md.WR = std::max(0, std::min(md.WR, cellWidth - md.WL - 1));
  md.WB = std::max(0, std::min(md.WB, cellHeight - md.WT - 1));
}

std::optional<TsPixelImage> RescaleMaskImage(TsMaskData& md, const TsPixelBuffer& src,
                                             TSmoothing smoothing, TColor mainColor,
                                             TacLoadBudget* budget) {
  if (md.MulPPi == md.DivPPI || md.MulPPi <= 0 || md.DivPPI <= 0) return std::nullopt;
  // An image count of 0 is made 1 only later; it must not divide here.
  const int32_t count = std::max(1, md.ImageCount);
  const TRect area = md.R.Intersect(src.Bounds());
  const int32_t w = area.Width();
  const int32_t h = area.Height();
  const int32_t sw = w / count;
  const bool maskRows = md.MaskType != 0;
  const int32_t rh = maskRows ? h / 2 : h;
  if (md.WL + md.WR == 2 || md.WT + md.WB == 2 || rh <= 2 || sw <= 2) return std::nullopt;

  const int64_t newCell = int64_t{md.MulPPi} * sw / md.DivPPI;
  const int64_t newW = newCell * count;
  const int64_t newRowH = int64_t{rh} * md.MulPPi / md.DivPPI;
  const int64_t newH = maskRows ? newRowH * 2 : int64_t{h} * md.MulPPi / md.DivPPI;
  CheckLoadedImageSize(newW, newH,
                       "The rescaled image of \"" + md.ClassName + "\" \"" + md.PropertyName + "\"",
                       budget);
  if (newW <= 0 || newH <= 0) return std::nullopt;

  TsPixelImage image = CopyArea(src, TRect::XYWH(area.Left, area.Top, w, rh));
  TsPixelImage mask;
  if (maskRows) mask = CopyArea(src, TRect::XYWH(area.Left, area.Top + rh, w, rh));

  const bool alphaMode = HasDrawModeBit(md.DrawMode, TDrawModeBit::Alpha);
  const bool smooth = smoothing == TSmoothing::Yes;
  if (!alphaMode && !smooth) {
    const uint32_t replacement = ColorToPixel(static_cast<uint32_t>(mainColor)) & 0x00FFFFFFu;
    if (!maskRows) {
      PrepareKeyPixels(image.View(), image.View().Bounds(), replacement);
    } else {
      PrepareKeyPixels(image.View(), TRect::XYWH(0, 0, md.WL, md.WT), replacement);
      PrepareKeyPixels(image.View(), TRect::XYWH(sw - md.WR, 0, md.WR, md.WT), replacement);
      PrepareKeyPixels(image.View(), TRect::XYWH(0, rh - md.WB, md.WL, md.WB), replacement);
      PrepareKeyPixels(image.View(), TRect::XYWH(sw - md.WR, rh - md.WB, md.WR, md.WB),
                       replacement);
      WhitenKeyPixels(mask.View());
    }
  }

  const int32_t imageH = static_cast<int32_t>(maskRows ? newRowH : newH);
  TsPixelImage out;
  if (maskRows) {
    out = TsPixelImage(static_cast<int32_t>(newW), static_cast<int32_t>(newH));
    TsPixelImage scaled;
    ResampleBuffer(scaled, image.View(), static_cast<int32_t>(newW), imageH, rfMitchell);
    CopyInto(out.View(), 0, scaled.View());
    scaled = TsPixelImage();
    ResampleBuffer(scaled, mask.View(), static_cast<int32_t>(newW), imageH, rfMitchell);
    CopyInto(out.View(), imageH, scaled.View());
  } else {
    // One row of images: resampled straight into the result, so that a large
    // image is not held twice.
    ResampleBuffer(out, image.View(), static_cast<int32_t>(newW), imageH, rfMitchell);
    if (out.IsEmpty()) out = TsPixelImage(static_cast<int32_t>(newW), static_cast<int32_t>(newH));
  }

  const TsPixelBuffer imageRows = Rows(out.View(), 0, imageH);
  for (int32_t y = 0; y < imageRows.Height; ++y) {
    uint32_t* row = imageRows.Row(y);
    for (int32_t x = 0; x < imageRows.Width; ++x) {
      const uint32_t a = row[x] >> 24;
      if (maskRows) {
        if (a < 100) row[x] = kKeyPixel;
      } else if (!alphaMode && !smooth) {
        row[x] = a > 89 ? (row[x] | 0xFF000000u) : kKeyPixel;
      }
    }
  }

  md.R = out.View().Bounds();
  md.Width = static_cast<int32_t>(newW) / count;
  // The height of one row limits the bands below, alpha-mode images
  // included: their bands must stay inside the rescaled rows as much as any
  // other image's.
  md.Height = static_cast<int32_t>(newH) / (md.MaskType + 1);
  ScaleMaskBands(md, md.Width, md.Height);
  return out;
}

bool HasTransparentCorner(const TsMaskData& md, const TsPixelBuffer& src) {
  if (md.Height <= 0 || md.Width <= 0 || src.IsEmpty()) return false;
  const bool alphaMode = HasDrawModeBit(md.DrawMode, TDrawModeBit::Alpha);
  auto transparentIn = [&](const TRect& area) {
    const TRect r = ClipToBuffer(area, src);
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      const uint32_t* row = src.Row(y);
      for (int32_t x = r.Left; x < r.Right; ++x)
        if (alphaMode ? (row[x] >> 24) == 0 : row[x] == kKeyPixel) return true;
    }
    return false;
  };
  const int32_t count = std::max(1, md.ImageCount);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t x0 = md.R.Left + i * md.Width;
    const int32_t y0 = md.R.Top;
    const int32_t x1 = x0 + md.Width;
    const int32_t y1 = y0 + md.Height;
    if (transparentIn(TRect::LTRB(x0, y0, x0 + md.WL, y0 + md.WT)) ||
        transparentIn(TRect::LTRB(x1 - md.WR, y0, x1, y0 + md.WT)) ||
        transparentIn(TRect::LTRB(x0, y1 - md.WB, x0 + md.WL, y1)) ||
        transparentIn(TRect::LTRB(x1 - md.WR, y1 - md.WB, x1, y1)))
      return true;
  }
  return false;
}

void UpdateCornerFlag(TsMaskData& md, const TsPixelBuffer& src) {
  if (md.ImgType != itisaBorder || md.Height <= 0) return;
  if (HasTransparentCorner(md, src))
    md.Cfg |= 1;
  else
    md.Cfg &= ~1;
}

}  // namespace ac
