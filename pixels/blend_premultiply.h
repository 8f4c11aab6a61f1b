#pragma once
// Premultiplication for per-pixel-alpha layered windows and for PNG skin images.

#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// For every pixel of Rect (exclusive, clipped to the buffer): a pixel exactly
// $00FFFFFF becomes 0; otherwise each colour byte := (ch * A) >> 8. Without
// desktop composition a pixel whose three colour bytes all exceeded 244 before
// the multiplication has each premultiplied byte limited to 244. Whether
// composition is on is the platform's answer (which Windows asks once per
// process).
void Premultiply(const TsPixelBuffer& buf, const TRect& rect);
void Premultiply(const TsPixelBuffer& buf);

enum class TComposition { Off, On };
// The same with the composition answer given; for tests and for callers that
// already know it.
void PremultiplyWith(const TsPixelBuffer& buf, const TRect& rect, TComposition composition);

}  // namespace ac
