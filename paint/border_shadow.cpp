#include "paint/border_shadow.h"
#include "skin/skin_data_lookup.h"

#include <algorithm>

namespace ac {

void PaintBorderShadow(const TsPixelBuffer& image, const TsPixelBuffer& shadowTemplate,
                       const TBorderShadowInputs& in) {
  if (image.IsEmpty() || shadowTemplate.IsEmpty()) return;
  const TRect& s = in.Shadow;
  TFrameAroundParams p;
  switch (in.Kind) {
    case TBorderShadowKind::bsImageFrame: {
      // The template's top band holds shadow and title; what is below the
      // title splits between the top and bottom bands.
      const int32_t t = in.CaptionHeight;
      const int32_t h = (shadowTemplate.Height - t) / 2;
      const TRect& w = in.ImageMargins;
      p.Margins = TRect::LTRB(w.Left, std::min(w.Top, h + t), w.Right, std::min(w.Bottom, h));
      p.Inner = TRect::LTRB(in.BorderWidth + s.Left, s.Top + t + in.HeaderHeight,
                            in.BorderWidth + s.Right, in.BorderWidth + s.Bottom);
      p.Sides.fill(in.Fill);
      break;
    }
    case TBorderShadowKind::bsEngineShadow: {
      const int32_t mx = (shadowTemplate.Width - 1) / 2, my = (shadowTemplate.Height - 1) / 2;
      p.Margins = TRect::LTRB(mx, my, mx, my);
      p.Inner = s;
      p.Sides.fill(TBandFill::Stretch);
      break;
    }
    case TBorderShadowKind::bsImageAround:
      p.Margins = in.ImageMargins;
      p.Inner = s;
      p.Sides.fill(in.Fill);
      break;
  }
  PaintFrameAround(image, image.Bounds(), shadowTemplate, shadowTemplate.Bounds(), p);
}

TBorderShadowInputs BorderShadowInputs(const TacSkinData& sd, TacExtBordersMode mode,
                                       int32_t captionHeight, int32_t headerHeight) {
  TBorderShadowInputs in;
  in.Shadow = sd.FormShadowSize;
  in.BorderWidth = sd.ExBorderWidth;
  in.CaptionHeight = captionHeight;
  in.HeaderHeight = headerHeight;
  const bool hasImage = IsValidImgIndex(sd, sd.ExBorder);
  if (hasImage) {
    const TsMaskData& md = sd.ma[static_cast<std::size_t>(sd.ExBorder)];
    in.ImageMargins = TRect::LTRB(md.WL, md.WT, md.WR, md.WB);
    in.Fill =
        HasDrawModeBit(md.DrawMode, TDrawModeBit::Stretch) ? TBandFill::Stretch : TBandFill::Tile;
  }
  if (mode == ebmShadow || (sd.ExDrawMode != 1 && !hasImage))
    in.Kind = TBorderShadowKind::bsEngineShadow;
  else if (sd.ExDrawMode == 1)
    in.Kind = TBorderShadowKind::bsImageFrame;
  else
    in.Kind = TBorderShadowKind::bsImageAround;
  return in;
}

TsPixelBuffer BorderShadowTemplate(const TacSkinData& sd, bool active) {
  const TsBitmapRef& t = active ? sd.ShdaTemplate : sd.ShdiTemplate;
  return t ? *t : TsPixelBuffer();
}

}  // namespace ac
