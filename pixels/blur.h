#pragma once
// The soft blur of 8-bit masks that text glows are made from.
//
// The kernel comes from a Gaussian whose weights are rounded to whole numbers,
// so every tap that survives weighs the same: the blur is a box of 2 j + 1
// taps. The outermost surviving tap is dropped again (its share is more than
// a byte's rounding), which gives 3 taps for radius 1 and 2, 5 for radius 3
// and 9 for radius 5.

#include <cstdint>

#include "pixels/pixel_buffer.h"

namespace ac {

// The half-width j of the box BlurMask8 uses for Radius (taps -j..j); 0 for a
// radius below 1, when nothing is blurred.
int32_t BlurHalfWidth(int32_t radius);

// Blurs Mask in place, every row and then every column, with the box of
// BlurHalfWidth(Radius): each value becomes the rounded mean (half to even) of
// its 2 j + 1 neighbours along the line, positions past either end repeating
// the first or last value. A radius below 1 or an empty mask does nothing.
void BlurMask8(const TsChannelBuffer& mask, int32_t radius);

}  // namespace ac
