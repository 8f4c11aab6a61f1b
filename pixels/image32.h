#pragma once
// Drawing a 32-bit image with alpha (image-list pictures, icons) over an
// image: faded, tinted with one colour, or with a fading reflection below it.

#include <cstdint>

#include "core/color.h"
#include "core/geometry.h"
#include "pixels/blend_parent.h"  // TUseParent
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"

namespace ac {

enum class TReflection { None, Below };

struct TsImage32Params {
  TReflection Reflected = TReflection::None;
  int32_t Transparency = 0;   // percent, 0..100 (clamped)
  TColor TintColor = clNone;  // clNone: the image's own colours
  TUseParent UseParent = TUseParent::No;
  TCacheInfo Cache;  // the parent behind Dst, for transparent source pixels
};

// Draws SrcRect of Src at DstRect of Dst (both exclusive). The size drawn is
// the smaller of the two rectangles, clipped to both images; a negative
// position on either side moves both starts inward.
//
// Source pixels equal to $00FF00FF or with alpha 16 or less are transparent:
// with Cache.Ready they take the parent pixel at the destination position plus
// (Cache.X, Cache.Y) when UseParent is Yes (a position outside the parent
// image leaves the pixel) and are skipped otherwise; without Cache.Ready they
// are composited like the others. Other pixels with alpha a are composited
// with colour d := ((s - d) * a' + d * 256) >> 8, where s is the pixel's colour
// or its tint, and:
// - Transparency 0: a' := a and the destination alpha becomes max(A, a);
// - above 0: a' := (o * a) >> 8 with o := 255 - Transparency * 255 / 100, and
//   the destination alpha is kept. Transparency 100 draws nothing at all.
// A tint colour is first raised until its largest channel is 255; a pixel's
// tint is (V * t) >> 8 per channel with V := (R >> 2) + (G >> 1) + (B >> 2).
//
// The reflection starts one row below the drawn image's (exclusive) bottom,
// so a row of the destination stays between them. Reflection row k shows the
// image row k rows up from its last, for H := min(image height / 2, rows left
// in Dst) rows, with a' := a * (H - k) * f / (H * 512), f := 255 - k * 255 /
// image height (integer steps), scaled again by o when faded.
void DrawImage32(const TsPixelBuffer& dst, const TRect& dstRect, const TsPixelBuffer& src,
                 const TRect& srcRect, const TsImage32Params& params);

}  // namespace ac
