#include "paint/section_paint.h"

#include <algorithm>
#include <cstring>

#include "paint/mask_paint.h"
#include "paint/mask_paint_image.h"
#include "paint/mask_paint_internal.h"
#include "paint/paint_limits.h"
#include "paint/plain_border.h"
#include "paint/section_paint_internal.h"
#include "paint/skin_colors.h"
#include "paint/texture_paint.h"
#include "pixels/blend.h"
#include "pixels/blend_fill.h"
#include "pixels/blend_premultiply.h"
#include "pixels/gradient_paint.h"
#include "skin/skin_data_lookup.h"

namespace ac {

using namespace paint_limits;

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

void PaintCornerImages(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                       const TsGeneralData& gd, int32_t state) {
  const TCacheInfo own = MakeCacheInfo(dst, 0, 0);
  auto paint = [&](int32_t index, bool right, bool bottom) {
    if (!IsValidImgIndex(sd, index) || !PaintableEntry(sd.ma[index])) return;
    const TsMaskData& m = sd.ma[index];
    const TPoint at{right ? rect.Right - m.Width : rect.Left,
                    bottom ? rect.Bottom - m.Height : rect.Top};
    PaintMaskImage(dst, at, m, state, own, TFrameStrength::Full);
  };
  paint(gd.ImgTL, false, false);
  paint(gd.ImgTR, true, false);
  paint(gd.ImgBL, false, true);
  paint(gd.ImgBR, true, true);
}

TBackgroundInputs BackgroundInputs(const TsGenState& props, TColor customColor,
                                   int32_t textureIndex) {
  TBackgroundInputs b;
  TsFillInputs& in = b.Fill;
  if (customColor != clFuchsia) {
    in.Color = customColor;
    return b;
  }
  in.Color = props.Color;
  in.Gradient = &props.GradientArray;
  b.Transparency = Percent(props.Transparency);
  const bool smooth = IsSmoothGradient(props.GradientArray);
  if (smooth) b.Smooth = &props.GradientArray;
  if (b.Transparency < 100) {
    in.ImagePercent = Percent(props.ImagePercent);
    // A smooth gradient is laid over the fill afterwards, not mixed into it.
    in.GradientPercent = smooth ? 0 : Percent(props.GradientPercent);
    if (in.ImagePercent > 0) in.TextureIndex = textureIndex;
  }
  return b;
}

void PaintOverlays(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                   const TBackgroundInputs& in, int32_t state, int32_t textureIndex,
                   const TCacheInfo& textureCache) {
  if (in.Smooth != nullptr) PaintGradient(dst, rect, *in.Smooth);
  if (state != 0 || !IsValidImgIndex(sd, textureIndex)) return;
  const TsMaskData& tex = sd.ma[textureIndex];
  if (tex.MaskType != 0 && tex.DrawMode == 10) {
    TRect area = rect;
    FillTexture(dst, area, tex, 10, textureCache);
  }
}

void PaintBackground(const TBackgroundRequest& q) {
  if (!IsValidSkinIndex(q.Sd, q.SkinIndex) || !RectInside(q.Rect, q.Dst)) return;
  if (!InPaintRange(q.Offset) || !InPaintRange(q.Cache)) return;
  const TsGeneralData& gd = q.Sd.gd[q.SkinIndex];
  const int32_t state = PropsState(gd, q.State);
  const TsGenState& props = gd.Props[state];
  const TsPixelBuffer& dst = q.Dst;
  const TRect& rect = q.Rect;
  const TCacheInfo& cache = q.Cache;
  const int32_t textureIndex = q.TextureOverride.value_or(props.TextureIndex);
  const TBackgroundInputs bg = BackgroundInputs(props, q.CustomColor, textureIndex);
  const TsFillInputs& in = bg.Fill;
  const int32_t t = bg.Transparency;
  const TCacheInfo textureCache = Shifted(cache, q.Offset);
  const bool parentKnown = cache.Ready || cache.FillColor.C != clFuchsia;

  if (!parentKnown || t <= 0) {
    PaintSectionFill(dst, rect, q.Sd, in, textureCache);
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
    PaintSectionFill(tmp.View(), tmp.View().Bounds(), q.Sd, in,
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
  PaintOverlays(dst, rect, q.Sd, bg, q.State, textureIndex, textureCache);
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

void PaintSectionBackground(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                            int32_t skinIndex, int32_t state, const TCacheInfo& cache,
                            TPoint offset, TColor customColor) {
  PaintBackground({dst, rect, sd, skinIndex, state, cache, offset, customColor, {}});
}

void PaintSectionFill(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                      const TsFillInputs& in, const TCacheInfo& textureCache) {
  if (!RectInside(rect, dst)) return;
  const int32_t ip = Percent(in.ImagePercent), gp = Percent(in.GradientPercent);
  static const TsGradArray kNone;
  const TsGradArray& grad = in.Gradient ? *in.Gradient : kNone;
  const bool texture = IsValidImgIndex(sd, in.TextureIndex);
  if (ip + gp == 100 && gp >= 1 && gp <= 99 && texture && sd.ma[in.TextureIndex].DrawMode == 0 &&
      !grad.empty() && (grad[0].Mode == kGradVertical || grad[0].Mode == kGradHorizontal)) {
    PaintGradientTexture(dst, rect, sd.ma[in.TextureIndex], grad,
                         static_cast<uint8_t>(ip * 255 / 100));
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

void PaintGradientTexture(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& texture,
                          const TsGradArray& gradient, uint8_t textureWeight) {
  if (!InPaintRange(rect) || !PaintableEntry(texture)) return;
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

namespace {

// PaintSection and PaintSectionWith; Entries null: the section's own.
void PaintSectionEntries(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                         int32_t skinIndex, const TsSectionEntries* entries, int32_t state,
                         const TCacheInfo& cache, TPoint offset) {
  if (dst.IsEmpty() || !IsValidSkinIndex(sd, skinIndex) || !RectInside(rect, dst)) return;
  if (!InPaintRange(offset) || !InPaintRange(cache)) return;
  const TsGeneralData& gd = sd.gd[skinIndex];
  state = SectionState(gd, state);
  std::optional<int32_t> texture;
  if (entries != nullptr) texture = state == 0 ? entries->TextureNormal : entries->TextureOther;
  PaintBackground({dst, rect, sd, skinIndex, state, cache, offset, clFuchsia, texture});
  PaintCornerImages(dst, rect, sd, gd, state);
  const TCacheInfo shifted = Shifted(cache, offset);
  const int32_t border = entries != nullptr ? entries->BorderIndex : gd.BorderIndex;
  if (IsValidImgIndex(sd, border))
    PaintMaskRect(dst, rect, sd.ma[border], state, shifted, TUseParent::Yes);
  else
    PaintPlainBorder(dst, rect, gd, state, shifted, {sd.PPI, SkinColorsOf(sd.FOwner)});
}

}  // namespace

void PaintSection(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                  int32_t skinIndex, int32_t state, const TCacheInfo& cache, TPoint offset) {
  PaintSectionEntries(dst, rect, sd, skinIndex, nullptr, state, cache, offset);
}

void PaintSectionWith(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                      int32_t skinIndex, const TsSectionEntries& entries, int32_t state,
                      const TCacheInfo& cache, TPoint offset) {
  PaintSectionEntries(dst, rect, sd, skinIndex, &entries, state, cache, offset);
}

void PaintSectionLayered(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                         int32_t skinIndex, int32_t state, TPoint offset) {
  if (dst.IsEmpty() || !IsValidSkinIndex(sd, skinIndex) || !RectInside(rect, dst)) return;
  if (!InPaintRange(offset)) return;
  const TsGeneralData& gd = sd.gd[skinIndex];
  state = SectionState(gd, state);
  const TsGenState& props = StateProps(gd, state);
  const bool whole = rect == dst.Bounds();
  // The parent: what Dst holds now, one pixel more to the right and bottom.
  const TRect area =
      TRect::LTRB(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1).Intersect(dst.Bounds());
  TsPixelImage parent(area.Width(), area.Height());
  for (int32_t y = 0; y < area.Height(); ++y)
    std::memcpy(parent.View().Row(y), dst.Row(area.Top + y) + area.Left, area.Width() * 4u);
  const TCacheInfo cache = MakeCacheInfo(parent.View(), -area.Left, -area.Top);

  // The background as PaintSectionBackground paints it over an unknown
  // parent; the transparency then becomes the alpha of every pixel, a smooth
  // gradient's included, since a layered window shows the parent by alpha.
  const TBackgroundInputs bg = BackgroundInputs(props, clFuchsia, props.TextureIndex);
  if (bg.Transparency >= 100) {
    if (whole) FillPixels(dst, rect, 0, 0);
  } else {
    const TCacheInfo textureCache = Shifted(cache, offset);
    PaintSectionFill(dst, rect, sd, bg.Fill, textureCache);
    if (bg.Smooth != nullptr) PaintGradient(dst, rect, *bg.Smooth);
    const auto alpha = static_cast<uint8_t>((100 - std::max(bg.Transparency, 0)) * 255 / 100);
    SetAlphaArea(dst, rect, alpha, {}, clNone);
    PaintOverlays(dst, rect, sd, {}, state, props.TextureIndex, textureCache);
  }
  PaintCornerImages(dst, rect, sd, gd, state);
  if (IsValidImgIndex(sd, gd.BorderIndex))
    PaintMaskRectLayered(dst, rect, sd.ma[gd.BorderIndex], state, cache);
  else
    PaintPlainBorder(dst, rect, gd, state, cache, {sd.PPI, SkinColorsOf(sd.FOwner)});
  if (whole) Premultiply(dst, rect);
}

}  // namespace ac
