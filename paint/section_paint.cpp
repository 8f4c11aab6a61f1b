#include "paint/section_paint.h"

#include <algorithm>
#include <cstring>

#include "pixels/blend.h"
#include "pixels/blend_fill.h"
#include "pixels/blend_premultiply.h"
#include "pixels/gradient_paint.h"
#include "paint/mask_paint.h"
#include "paint/mask_paint_image.h"
#include "paint/mask_paint_internal.h"
#include "paint/plain_border.h"
#include "paint/section_paint_internal.h"
#include "paint/texture_paint.h"
#include "skin/skin_data_lookup.h"

namespace ac {

namespace section_detail {

TCacheInfo Shifted(const TCacheInfo& cache, TPoint by) {
  TCacheInfo c = cache;
  c.X += by.X;
  c.Y += by.Y;
  return c;
}

bool IsSmoothGradient(const TsGradArray& g) {
  return !g.empty() && (g[0].Mode & kGradSmoothTriangle) != 0;
}

// Copies the parent area behind Rect from Cache.Bmp (clipped to both images).
void CopyParent(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                TPoint offset) {
  const TRect r = rect.Intersect(dst.Bounds());
  const int32_t dx = cache.X + offset.X - rect.Left, dy = cache.Y + offset.Y - rect.Top;
  const TRect src = r.Offset(dx, dy).Intersect(cache.Bmp.Bounds());
  for (int32_t y = src.Top; y < src.Bottom; ++y)
    std::memmove(dst.Row(y - dy) + (src.Left - dx), cache.Bmp.Row(y) + src.Left, src.Width() * 4u);
}

void PaintCornerImages(const TacSkinData& sd, const TsGeneralData& gd, const TsPixelBuffer& dst,
                       const TRect& rect, int32_t state) {
  const TCacheInfo own = MakeCacheInfo(dst, 0, 0);
  auto paint = [&](int32_t index, bool right, bool bottom) {
    if (!IsValidImgIndex(sd, index)) return;
    const TsMaskData& m = sd.ma[index];
    const TPoint at{right ? rect.Right - m.Width : rect.Left,
                    bottom ? rect.Bottom - m.Height : rect.Top};
    PaintMaskImage(dst, at, state, own, m, TFrameStrength::Full);
  };
  paint(gd.ImgTL, false, false);
  paint(gd.ImgTR, true, false);
  paint(gd.ImgBL, false, true);
  paint(gd.ImgBR, true, true);
}

void PaintBackground(const TBackgroundRequest& q) {
  if (!IsValidSkinIndex(q.Sd, q.SkinIndex) || q.Dst.IsEmpty() || q.Rect.IsEmpty()) return;
  const TsGeneralData& gd = q.Sd.gd[q.SkinIndex];
  const int32_t state = std::clamp(std::min(q.State, gd.States - 1), 0, 2);
  const TsGenState& props = gd.Props[state];
  const TsPixelBuffer& dst = q.Dst;
  const TRect& rect = q.Rect;
  const TCacheInfo& cache = q.Cache;
  const int32_t textureIndex = q.TextureOverride.value_or(props.TextureIndex);

  TsFillInputs in;
  int32_t t = 0;
  bool g3 = false;
  if (q.CustomColor == clFuchsia) {
    in.Color = props.Color;
    t = props.Transparency;
    g3 = IsSmoothGradient(props.GradientArray);
    if (t < 100) {
      in.ImagePercent = props.ImagePercent;
      in.GradientPercent = g3 ? 0 : props.GradientPercent;
      if (in.ImagePercent > 0) in.TextureIndex = textureIndex;
    }
    in.Gradient = &props.GradientArray;
  } else {
    in.Color = q.CustomColor;
  }
  const TCacheInfo textureCache = Shifted(cache, q.Offset);
  const bool parentKnown = cache.Ready || cache.FillColor.C != clFuchsia;

  if (!parentKnown || t <= 0) {
    PaintSectionFill(dst, rect, in, q.Sd, textureCache);
  } else if (t >= 100) {
    if (cache.Ready && cache.HasBmp()) {
      if (!cache.Bmp.SameStorage(dst)) CopyParent(dst, rect, cache, q.Offset);
    } else if (cache.HasBmp()) {
      PaintParentMargins(dst, rect, cache, q.Offset);
    } else {
      FillPixels(dst, rect, cache.FillColor.C, 255);
    }
  } else if (cache.Ready || in.ImagePercent + in.GradientPercent > 0) {
    TsPixelImage tmp(rect.Width(), rect.Height());
    PaintSectionFill(tmp.View(), tmp.View().Bounds(), in, q.Sd,
                     Shifted(textureCache, rect.TopLeft()));
    if (cache.Ready && cache.HasBmp()) {
      if (!cache.Bmp.SameStorage(dst)) CopyParent(dst, rect, cache, q.Offset);
    } else {
      FillPixels(dst, rect, cache.FillColor.C, 255);
    }
    MixArea(dst, rect.TopLeft(), tmp.View(), TSourceRect::XYWH(0, 0, rect.Width(), rect.Height()),
            static_cast<uint8_t>(t * 255 / 100));
  } else {
    const TColor mixed = static_cast<TColor>(MixColor(static_cast<uint32_t>(cache.FillColor.C),
                                                      static_cast<uint32_t>(in.Color),
                                                      static_cast<uint8_t>(t * 255 / 100)));
    FillPixels(dst, rect, mixed, 255);
  }

  if (g3) PaintGradient(dst, rect, props.GradientArray);

  if (q.State == 0 && IsValidImgIndex(q.Sd, textureIndex)) {
    const TsMaskData& tex = q.Sd.ma[textureIndex];
    if (tex.MaskType != 0 && tex.DrawMode == 10) {
      TRect area = rect;
      FillTexture(dst, area, tex, 10, textureCache);
    }
  }
}

// Parent not ready but an image given: the strips of Rect that fall inside the
// image's margins (Cache.FillRect) come from the image, the rest is the fill
// colour.
void PaintParentMargins(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                        TPoint offset) {
  FillPixels(dst, rect, cache.FillColor.C, 255);
  const TRect a = TRect::XYWH(offset.X, offset.Y, rect.Width(), rect.Height());
  const TRect& m = cache.FillRect;
  const int32_t iw = cache.Bmp.Width, ih = cache.Bmp.Height;
  if (m.Left - cache.X > 0 && a.Left < m.Left) {
    const int32_t n = std::min(m.Left - a.Left, rect.Width());
    CopyParent(dst, TRect::LTRB(rect.Left, rect.Top, rect.Left + n, rect.Bottom), cache, offset);
  }
  if (m.Top - cache.Y > 0 && a.Top < m.Top) {
    const int32_t n = std::min(m.Top - a.Top, rect.Height());
    CopyParent(dst, TRect::LTRB(rect.Left, rect.Top, rect.Right, rect.Top + n), cache, offset);
  }
  if (m.Right > 0 && a.Right > iw - m.Right && a.Right < iw) {
    const int32_t n = std::min(a.Right + m.Right - iw, rect.Width());
    CopyParent(dst, TRect::LTRB(rect.Right - n, rect.Top, rect.Right, rect.Bottom), cache, offset);
  }
  if (m.Bottom > 0 && a.Bottom > ih - m.Bottom && a.Bottom < ih) {
    const int32_t n = std::min(a.Bottom + m.Bottom - ih, rect.Height());
    CopyParent(dst, TRect::LTRB(rect.Left, rect.Bottom - n, rect.Right, rect.Bottom), cache,
               offset);
  }
}

bool RectInside(const TRect& rect, const TsPixelBuffer& dst) {
  return !rect.IsEmpty() && rect.Left >= 0 && rect.Top >= 0 && rect.Right <= dst.Width &&
         rect.Bottom <= dst.Height;
}

}  // namespace section_detail

using namespace section_detail;

void PaintSectionBackground(int32_t skinIndex, const TCacheInfo& cache, int32_t state,
                            TColor customColor, const TacSkinData& sd, const TsPixelBuffer& dst,
                            TPoint offset, const TRect& rect) {
  PaintBackground({skinIndex, cache, state, customColor, sd, dst, offset, rect, {}});
}

void PaintSectionFill(const TsPixelBuffer& dst, const TRect& rect, const TsFillInputs& in,
                      const TacSkinData& sd, const TCacheInfo& textureCache) {
  if (dst.IsEmpty() || rect.IsEmpty()) return;
  const int32_t ip = in.ImagePercent, gp = in.GradientPercent;
  static const TsGradArray kNone;
  const TsGradArray& grad = in.Gradient ? *in.Gradient : kNone;
  const bool texture = IsValidImgIndex(sd, in.TextureIndex);
  if (ip + gp == 100 && gp >= 1 && gp <= 99 && texture && sd.ma[in.TextureIndex].DrawMode == 0 &&
      !grad.empty() && (grad[0].Mode == kGradVertical || grad[0].Mode == kGradHorizontal)) {
    PaintGradientTexture(dst, rect, grad, static_cast<uint8_t>(ip * 255 / 100),
                         sd.ma[in.TextureIndex]);
    return;
  }
  const bool painted = ip > 0 && texture;
  if (painted) {
    const TsMaskData& tex = sd.ma[in.TextureIndex];
    TRect left = rect;
    FillTexture(dst, left, tex, tex.DrawMode, textureCache);
    if (left.Right != -1) FillPixels(dst, left, in.Color, 255);
  }
  if (gp > 0) {
    if (painted) {
      TsPixelImage tmp(rect.Width(), rect.Height());
      if (grad.empty())
        FillPixels(tmp.View(), tmp.View().Bounds(), in.Color, 255);
      else
        PaintGradient(tmp.View(), tmp.View().Bounds(), grad);
      MixArea(dst, rect.TopLeft(), tmp.View(), TSourceRect::XYWH(0, 0, rect.Width(), rect.Height()),
              static_cast<uint8_t>(ip * 255 / 100));
    } else if (grad.empty()) {
      FillPixels(dst, rect, in.Color, 255);
    } else {
      PaintGradient(dst, rect, grad);
    }
  }
  const int32_t c = ip + gp;
  if (c > 0 && c < 100)
    FadeToColor(dst, TSourceRect::FromExclusive(rect), static_cast<uint8_t>(c * 255 / 100),
                in.Color);
  else if (c <= 0)
    FillPixels(dst, rect, in.Color, 255);
}

void PaintGradientTexture(const TsPixelBuffer& dst, const TRect& rect, const TsGradArray& gradient,
                          uint8_t textureWeight, const TsMaskData& texture) {
  const TsPixelBuffer img = mask_detail::EntryImage(texture);
  const TRect r = rect.Intersect(dst.Bounds());
  if (r.IsEmpty()) return;
  PaintGradient(dst, r, gradient);
  const TRect tile = texture.R.Intersect(img.Bounds());
  if (img.IsEmpty() || tile.IsEmpty() || tile != texture.R) return;
  const int32_t tw = tile.Width(), th = tile.Height();
  const int32_t w = textureWeight;
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    const uint32_t* t = img.Row(tile.Top + y % th) + tile.Left;
    uint32_t* d = dst.Row(y);
    for (int32_t x = r.Left; x < r.Right; ++x) {
      const uint32_t tp = t[x % tw], g = d[x];
      uint32_t out = 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) {
        const int32_t tc = static_cast<int32_t>((tp >> shift) & 0xFFu);
        const int32_t gc = static_cast<int32_t>((g >> shift) & 0xFFu);
        out |= static_cast<uint32_t>(((w * (tc - gc) + gc * 256) >> 8) & 0xFF) << shift;
      }
      d[x] = out;
    }
  }
}

void PaintSection(int32_t skinIndex, const TCacheInfo& cache, const TacSkinData& sd,
                  const TsPixelBuffer& dst, TPoint offset, const TRect& rect, int32_t state) {
  PaintSectionWith(skinIndex, IsValidSkinIndex(sd, skinIndex) ? sd.gd[skinIndex].BorderIndex : -1,
                   kOwnTexture, kOwnTexture, sd, dst, offset, rect, state, cache);
}

void PaintSectionWith(int32_t skinIndex, int32_t borderIndex, int32_t textureNormal,
                      int32_t textureOther, const TacSkinData& sd, const TsPixelBuffer& dst,
                      TPoint offset, const TRect& rect, int32_t state, const TCacheInfo& cache) {
  if (dst.IsEmpty() || !IsValidSkinIndex(sd, skinIndex) || !RectInside(rect, dst)) return;
  const TsGeneralData& gd = sd.gd[skinIndex];
  state = std::max(0, std::min(state, gd.States - 1));
  const int32_t texture = state == 0 ? textureNormal : textureOther;
  std::optional<int32_t> override;
  if (texture != kOwnTexture) override = texture;
  PaintBackground({skinIndex, cache, state, clFuchsia, sd, dst, offset, rect, override});
  PaintCornerImages(sd, gd, dst, rect, state);
  const TCacheInfo shifted = Shifted(cache, offset);
  if (IsValidImgIndex(sd, borderIndex))
    PaintMaskRect(dst, rect, shifted, TUseParent::Yes, state, sd.ma[borderIndex]);
  else
    PaintPlainBorder(dst, rect, gd, sd.PPI, nullptr, shifted, state);
}

void PaintSectionLayered(int32_t skinIndex, int32_t state, const TacSkinData& sd,
                         const TsPixelBuffer& dst, TPoint offset, const TRect& rect) {
  if (dst.IsEmpty() || !IsValidSkinIndex(sd, skinIndex) || !RectInside(rect, dst)) return;
  const TsGeneralData& gd = sd.gd[skinIndex];
  state = std::max(0, std::min(state, gd.States - 1));
  const TsGenState& props = gd.Props[std::min(state, 2)];
  const bool whole = rect == dst.Bounds();
  // The parent: what Dst holds now, one pixel more to the right and bottom.
  const TRect area =
      TRect::LTRB(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1).Intersect(dst.Bounds());
  TsPixelImage parent(area.Width(), area.Height());
  for (int32_t y = 0; y < area.Height(); ++y)
    std::memcpy(parent.View().Row(y), dst.Row(area.Top + y) + area.Left, area.Width() * 4u);
  const TCacheInfo cache = MakeCacheInfo(parent.View(), -area.Left, -area.Top);

  if (props.Transparency >= 100) {
    if (whole) FillPixels(dst, rect, 0, 0);
  } else {
    TsFillInputs in;
    in.Color = props.Color;
    in.ImagePercent = props.ImagePercent;
    in.GradientPercent = props.GradientPercent;
    in.Gradient = &props.GradientArray;
    in.TextureIndex = props.ImagePercent > 0 ? props.TextureIndex : -1;
    PaintSectionFill(dst, rect, in, sd, Shifted(cache, offset));
    const auto alpha = static_cast<uint8_t>((100 - std::max(props.Transparency, 0)) * 255 / 100);
    SetAlphaArea(dst, rect, alpha, {}, clNone);
  }
  PaintCornerImages(sd, gd, dst, rect, state);
  if (IsValidImgIndex(sd, gd.BorderIndex))
    PaintMaskRectLayered(dst, rect, cache, state, sd.ma[gd.BorderIndex]);
  else
    PaintPlainBorder(dst, rect, gd, sd.PPI, nullptr, cache, state);
  if (whole) Premultiply(dst, rect);
}

}  // namespace ac
