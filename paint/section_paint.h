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
// bitmap. Nothing here reports errors: an invalid section or image index, an
// empty rectangle or a missing destination paints nothing. State numbers above
// the section's States are limited to its last state; per-state data above 2
// is that of state 2.
//
// Arguments read destination first (buffer, then its rectangle), then what is
// painted (the skin and its section or entries), then how (state, parent).

#include <cstdint>

#include "core/geometry.h"
#include "pixels/blend_parent.h"  // TUseParent
#include "pixels/cache_info.h"
#include "pixels/gradient_data.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

// Background, corner images and border of section SkinIndex of Sd in State
// over Rect, which must lie inside Dst.
void PaintSection(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                  int32_t skinIndex, int32_t state, const TCacheInfo& cache, TPoint offset);

// The background only, over Rect, which must lie inside Dst. CustomColor
// clFuchsia paints the section's own colours, any other colour paints that
// colour, opaque, without texture or gradient.
void PaintSectionBackground(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                            int32_t skinIndex, int32_t state, const TCacheInfo& cache,
                            TPoint offset, TColor customColor);

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

// Colour, texture and gradient mixed into Rect (inside Dst), opaque; shares
// outside 0..100 count as their bound. TextureCache is the cache the texture
// painter gets (its X, Y already moved by the offset).
void PaintSectionFill(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                      const TsFillInputs& in, const TCacheInfo& textureCache);

// A plain vertical or horizontal gradient and a tiled texture mixed in one
// pass: d := (w * (t - g) + g * 256) >> 8 per colour byte, alpha 255, with t the
// tile pixel at destination (x mod tile width, y mod tile height).
void PaintGradientTexture(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& texture,
                          const TsGradArray& gradient, uint8_t textureWeight);

// The image entries PaintSectionWith uses instead of the section's own (index
// into sd.ma; an index that names no entry means none).
struct TsSectionEntries {
  int32_t BorderIndex = -1;    // nine-slice border; none: the section's plain border
  int32_t TextureNormal = -1;  // texture in state 0
  int32_t TextureOther = -1;   // texture in the other states
};

// As PaintSection with the caller's border and texture entries: scroll-bar
// parts.
void PaintSectionWith(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                      int32_t skinIndex, const TsSectionEntries& entries, int32_t state,
                      const TCacheInfo& cache, TPoint offset);

// Paints over the pixels already in Dst for a layered (per-pixel alpha)
// window: what Dst holds is the parent. The background has the colours
// PaintSectionBackground gives over an unknown parent (a smooth gradient laid
// over the fill included) and the state's transparency as the alpha of every
// pixel ((100 - Transparency) * 255 / 100; a fully transparent state clears
// Rect when it is the whole of Dst and paints nothing otherwise). The border
// keeps a meaningful alpha, and when Rect covers the whole of Dst the result
// is premultiplied.
void PaintSectionLayered(const TsPixelBuffer& dst, const TRect& rect, const TacSkinData& sd,
                         int32_t skinIndex, int32_t state, TPoint offset);

}  // namespace ac
