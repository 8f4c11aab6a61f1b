#pragma once
// Fills and blends toward one colour.
//
// Colours are TColor values ($00BBGGRR); they are converted to pixel order
// inside. Weights are bytes 0..255 and divisions are shifts by 8, so a weight of
// 255 does not reproduce a colour exactly: that rounding is part of the result.
// Every operation clips to the buffer and does nothing on an empty buffer or an
// empty rectangle.

#include <cstdint>
#include <span>

#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// Every pixel of Rect (exclusive) := the colour in pixel order with alpha Alpha.
void FillPixels(const TsPixelBuffer& buf, const TRect& rect, TColor color, uint8_t alpha);

// Each colour byte ch := ch - (Percent * (ch - c)) / 100, truncating toward zero;
// alpha := Alpha. Percent is clamped to 0..100.
void TintPixels(const TsPixelBuffer& buf, const TRect& rect, TColor color, uint8_t alpha,
                int percent);

// Alpha := Alpha over Rect, except inside any of Excluded (exclusive) and, when
// Key is not clNone, except pixels whose whole value equals Key.
void SetAlphaArea(const TsPixelBuffer& buf, const TRect& rect, uint8_t alpha,
                  std::span<const TRect> excluded, TColor key);

// Four opaque bands of Color along the inside edges of Rect: the top band spans
// the whole width, the left band runs below it, the bottom band right of the
// left band, the right band between top and bottom bands.
void FillBands(const TsPixelBuffer& buf, const TRect& rect, TColor color, int32_t leftWidth,
               int32_t topHeight, int32_t rightWidth, int32_t bottomHeight);

// Fills the part of Outer around Inner with Color and Alpha (top, left, right and
// bottom bands).
void FillOutside(const TsPixelBuffer& buf, const TRect& outer, const TRect& inner, TColor color,
                 uint8_t alpha);

// Each colour byte ch := (ch * Weight + c * (255 - Weight)) >> 8; alpha kept.
// Rect is inclusive: Left/Top below 0 are raised to 0, Right/Bottom at or past
// the last column/row are clamped to it.
void FadeToColor(const TsPixelBuffer& buf, const TSourceRect& rect, uint8_t weight, TColor color);

// FadeToColor over the whole buffer, skipping pixels that are exactly $00FF00FF.
void TintAllButKey(const TsPixelBuffer& buf, uint8_t weight, TColor color);

// Each colour byte d := ((d - c) * m + c * 256) >> 8, m the mask's byte of the
// same channel; alpha kept. Mask must have Dst's size.
void ColorizeByMask(const TsPixelBuffer& dst, const TsPixelBuffer& mask, TColor color);

}  // namespace ac
