#pragma once
// Laying a blurred text mask over an image as a soft glow of one colour.

#include <cstdint>

#include "core/color.h"
#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// Mask value 255 is "no glow", 0 is full glow. Every mask value m other than
// 255 at (i, j) reaches the pixel at Origin + (i, j) when that lies inside
// Dst: with k := 255 - m, alpha A := A + ((255 - A) * k) >> 8 and each colour
// byte d := (k * g + m * d) >> 8, g the glow colour's byte ($00BBGGRR).
void BlendGlowMask(const TsPixelBuffer& dst, TPoint origin, const TsChannelBuffer& mask,
                   TColor glowColor);

}  // namespace ac
