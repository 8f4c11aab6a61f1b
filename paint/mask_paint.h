#pragma once
// Painting skin image entries (TsMaskData) into pixel buffers: nine-slice
// borders, for ordinary control images and for layered-window images.
//
// Entries without an own bitmap are cut from the skin's master bitmap
// (MasterBmp); an entry with neither image is never painted. Coordinates are
// destination pixels; nothing outside the destination or the source image is
// read or written. Invalid input (too small rectangles, negative centre sizes,
// missing images) draws nothing and reports nothing.
//
// State frames: state S paints frame min(S, ImageCount - 1), whose source
// origin is (R.Left + frame * Width, R.Top). Mask rows of masked entries lie
// Height rows below the image rows.

#include <cstdint>

#include "core/geometry.h"
#include "pixels/blend_parent.h"  // TUseParent
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

// Nine-slice painting of one state frame over Rect (exclusive).
// Draw-mode bits: 1 stretch edges and centre (else tile them), 2 nothing in
// state 0, 4 paint the centre (else leave the inside untouched), 16 per-pixel
// alpha. Corner pieces may show the parent (Cache) where the image is
// transparent when UseParent is Yes and Cfg has bit 0 or 1; edges and centre
// never do. Nothing is painted for a Rect narrower or lower than 2 pixels.
void PaintMaskRect(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& mask,
                   int32_t state, const TCacheInfo& cache, TUseParent useParent);

// The same for a layered-window image whose alpha matters: corners always take
// the parent from Cache, masked pieces raise the destination alpha to at least
// 255 - mask, key pixels without a parent get alpha 0.
void PaintMaskRectLayered(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& mask,
                          int32_t state, const TCacheInfo& cache);

// PaintMaskRectLayered with the bands limited to Caps (Left caps WL, Top WT,
// Right WR, Bottom WB) and the image weakened by Opacity (0..255): glow,
// outer-effect and hint images.
void PaintMaskRectCapped(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& mask,
                         int32_t state, const TCacheInfo& cache, const TRect& caps,
                         uint8_t opacity);

}  // namespace ac
