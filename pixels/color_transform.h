#pragma once
// Per-pixel and per-colour transforms: brightness, saturation, hue, tone, and the
// disabled look of control images.
//
// The pixel forms take and return a pixel ($AARRGGBB) and keep its alpha; the
// skin manager applies them with ForEachPixel skipping $00FF00FF. The colour
// forms take a $00BBGGRR colour.

#include <cstdint>

#include "core/geometry.h"
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// Amount > 0: c := min(255, c + (Amount * c) div 256); Amount < 0:
// c := c - (|Amount| * c) div 256, at least 0.
uint32_t ScaleBrightness(uint32_t pixel, int32_t amount);

// Amount -255..255 (clamped): -255 gives grey, positive values push colours away
// from grey. v := (a + 255) * c - a * L with L the rounded luminance; c := 0 when
// v < 0, v >> 8 below 65536, else 255.
uint32_t ScaleSaturation(uint32_t pixel, int32_t amount);

// Rotates the hue by Degrees through HSV, cutting the hue to whole degrees and
// the channels by truncation, so colours other than pure primaries may move by
// a step even for 0 degrees. Grey pixels are unchanged.
uint32_t ShiftHue(uint32_t pixel, int32_t degrees);

// The same on colour values; an amount of 0 returns the colour unchanged.
TColor ScaleSaturationColor(TColor color, int32_t amount);
TColor ShiftHueColor(TColor color, int32_t degrees);

// The pixel recoloured with Tone ($00BBGGRR, already resolved to RGB through
// SkinColorToRGB by the caller, which does it once rather than per pixel),
// scaled by the pixel's brightest channel: ch := (m * tone ch) >> 8.
uint32_t ToneByColor(uint32_t pixel, TColor tone);

enum TsDisabledKind : uint32_t {
  dkBlended = 1,
  dkGrayed = 2,
};
using TsDisabledKinds = uint32_t;  // bits of TsDisabledKind

// The disabled blend weight and saturation of the engine.
inline constexpr uint8_t kDisabledBlendWeight = 100;
inline constexpr int32_t kDisabledSaturation = -90;  // percent

// Makes a control image look disabled. dkGrayed desaturates every pixel but
// $00FF00FF by -229; dkBlended then mixes the parent background under the
// control (the cache image at Offset + (Cache.X, Cache.Y), key clFuchsia, the
// control keeping 100/255) when Cache.Ready, or else fades the whole buffer by
// weight 100 toward Cache.FillColor, or toward ParentColor ($00BBGGRR, already
// resolved) when FillColor is clFuchsia.
void ApplyDisabledLook(const TsPixelBuffer& buf, const TCacheInfo& cache, TPoint offset,
                       TsDisabledKinds kinds, TColor parentColor);

}  // namespace ac
