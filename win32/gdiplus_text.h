#pragma once
// Smooth text through the platform's 2-D graphics library (GDI+), loaded when
// first needed. Where the library is missing or refuses to start, every call
// answers false and the caller falls back.

#include <windows.h>

#include <string_view>

#include "core/color.h"
#include "paint/text_rasterizer.h"
#include "pixels/pixel_buffer.h"

namespace ac::platform {

// Measures Text in the font selected into DC: unwrapped when WrapWidth <= 0,
// else wrapped at WrapWidth.
bool GdiPlusMeasureText(HDC dc, std::wstring_view text, int32_t wrapWidth, double& width,
                        double& height);

// Draws Text in the font selected into DC over Dst (32-bit, alpha respected)
// with anti-aliasing and grid fitting, in Color ($00BBGGRR) at Opacity.
bool GdiPlusDrawText(HDC dc, const TsPixelBuffer& dst, const TsSmoothTextLayout& layout,
                     std::wstring_view text, TColor color, uint8_t opacity);

}  // namespace ac::platform
