#pragma once
// Painting a skin section for one state: background (colour, texture and
// gradient mixed by their percentages, made transparent against the parent),
// corner ornaments and border.
//
// The parent background comes as a TCacheInfo. For the background the parent
// pixel behind destination pixel (x, y) of Rect is Cache.Bmp at
// (Cache.X + Offset.X + x - Rect.Left, Cache.Y + Offset.Y + y - Rect.Top); the
// border and texture painters get a copy of Cache with X and Y increased by
// Offset and use destination coordinates themselves.
//
// Image entries without their own bitmap are cut from the skin's master
// bitmap. Nothing here reports errors: an invalid section or image index, an empty rectangle or a missing
// destination paints nothing. State numbers above the section's States are
// limited to its last state; per-state data above 2 is that of state 2.

#include <cstdint>

#include "core/geometry.h"
#include "pixels/blend_parent.h"  // TUseParent
#include "pixels/cache_info.h"
#include "pixels/gradient_data.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

// Background, corner images and border of section SkinIndex over Rect, which
// must lie inside Dst.
void PaintSection(int32_t skinIndex, const TCacheInfo& cache, const TacSkinData& sd,
                  const TsPixelBuffer& dst, TPoint offset, const TRect& rect, int32_t state);

// The background only. CustomColor clFuchsia paints the section's own colours,
// any other colour paints that colour, opaque, without texture or gradient.
void PaintSectionBackground(int32_t skinIndex, const TCacheInfo& cache, int32_t state,
                            TColor customColor, const TacSkinData& sd, const TsPixelBuffer& dst,
                            TPoint offset, const TRect& rect);

// What PaintSectionFill mixes: colour C, texture share IP and gradient share GP
// (percent), the gradient and the texture entry (an index into sd.ma, or
// negative).
struct TsFillInputs {
  TColor Color = 0;
  int32_t ImagePercent = 0;
  int32_t GradientPercent = 0;
  const TsGradArray* Gradient = nullptr;
  int32_t TextureIndex = -1;
};

// Colour, texture and gradient mixed into Rect, opaque. TextureCache is the
// cache the texture painter gets (its X, Y already moved by the offset).
void PaintSectionFill(const TsPixelBuffer& dst, const TRect& rect, const TsFillInputs& in,
                      const TacSkinData& sd, const TCacheInfo& textureCache);

// A plain vertical or horizontal gradient and a tiled texture mixed in one
// pass: d := (w * (t - g) + g * 256) >> 8 per colour byte, alpha 255, with t the
// tile pixel at destination (x mod tile width, y mod tile height).
void PaintGradientTexture(const TsPixelBuffer& dst, const TRect& rect, const TsGradArray& gradient,
                          uint8_t textureWeight, const TsMaskData& texture);

// As PaintSection with the caller's border entry (nine-slice, or the section's
// plain border when the index is not valid) and texture entries (normal state,
// other states): scroll-bar parts.
void PaintSectionWith(int32_t skinIndex, int32_t borderIndex, int32_t textureNormal,
                      int32_t textureOther, const TacSkinData& sd, const TsPixelBuffer& dst,
                      TPoint offset, const TRect& rect, int32_t state, const TCacheInfo& cache);

// Paints over the pixels already in Dst for a layered (per-pixel alpha)
// window: what Dst holds is the parent, the state's transparency becomes
// alpha ((100 - Transparency) * 255 / 100), the border keeps a meaningful
// alpha, and when Rect covers the whole of Dst the result is premultiplied.
void PaintSectionLayered(int32_t skinIndex, int32_t state, const TacSkinData& sd,
                         const TsPixelBuffer& dst, TPoint offset, const TRect& rect);

}  // namespace ac
