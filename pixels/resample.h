#pragma once
// Smooth scaling of skin images, glyphs and window snapshots: separable two-pass
// resampling with integer weights (16 fractional bits).

#include <cstdint>

#include "pixels/pixel_buffer.h"

namespace ac {

enum TResampleFilter : int32_t {
  rfBox = 0,
  rfTriangle = 1,
  rfHermite = 2,
  rfBell = 3,
  rfBSpline = 4,
  rfSine = 5,
  rfMitchell = 6,
};

// Scales Src to NewWidth x NewHeight into Dst, which is resized. Nothing happens
// when the source is narrower or lower than 2 pixels, when a new size is not
// positive, or for an unknown filter. Equal sizes copy Src into Dst (nothing
// when Src is Dst's own view). Src may be Dst's view: the first pass reads it
// before Dst is resized.
//
// Weights are not renormalised, so edges and flat areas can come out a step
// darker than the source; that is the resampler's known result.
void ResampleBuffer(TsPixelImage& dst, const TsPixelBuffer& src, int32_t newWidth,
                    int32_t newHeight, int32_t filter);

// The value of a filter at scaled distance X (signed for the box filter, which
// alone tells the sides apart) and its radius; for tests and weight tables.
double ResampleFilterValue(int32_t filter, double x);
double ResampleFilterRadius(int32_t filter);

}  // namespace ac
