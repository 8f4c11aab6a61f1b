#pragma once
// Painting a parsed gradient (TsGradArray) into a rectangle of a pixel buffer.

#include "core/geometry.h"
#include "pixels/gradient_data.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// Fills Rect (exclusive, clipped to the buffer) with the gradient; an empty
// gradient or rectangle paints nothing. The kind is point 0's Mode bits 0-1:
// vertical segments run top to bottom, horizontal ones left to right, and the
// triangle kind (five points or more) shades four triangles between the corners
// and the centre. Plain segments and triangles are opaque. Segments with a
// point carrying kGradSmoothSegment, and the triangle kind with
// kGradSmoothTriangle on point 0, interpolate colour and opacity (Color.A)
// linearly and are blended over the existing pixels.
void PaintGradient(const TsPixelBuffer& buf, const TRect& rect, const TsGradArray& gradient);

// Source-over of a colour with opacity A onto a non-premultiplied pixel, as the
// smooth drawings use it; colour is in pixel order ($AARRGGBB).
uint32_t BlendSmoothPixel(uint32_t dst, uint32_t colour);

}  // namespace ac
