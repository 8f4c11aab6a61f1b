#pragma once
// Filling polygons into 8-bit masks, hard-edged or with anti-aliased edges,
// and laying a mask over an image as one colour. Arrows and other small
// vector shapes are drawn with these.
//
// Coordinates: pixel (x, y) is the unit square [x, x + 1) x [y, y + 1). The
// anti-aliased fill measures how much of that square the polygon covers; the
// hard-edged fill takes the pixels the outline passes through and those whose
// centre lies inside.

#include <array>
#include <cstdint>
#include <span>

#include "core/color.h"
#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

struct TPointF {
  double X = 0;
  double Y = 0;
};

// Raises every pixel of Mask to the covered share of its square (0..255,
// rounded) where that is more than the pixel holds. Overlapping parts of the
// outline count once (non-zero winding, capped at full cover). Parts of the
// polygon left or right of the mask count as if they lay on its first or last
// column; parts above or below it are dropped.
void FillPolygonSmooth(const TsChannelBuffer& mask, std::span<const TPointF> points);

// Sets to Value every pixel that the closed outline through Points passes
// (one-pixel lines, both ends included) or whose centre lies inside it (even-
// odd rule). Pixels outside the mask are skipped.
void FillPolygonHard(const TsChannelBuffer& mask, std::span<const TPoint> points, uint8_t value);

// The outline of a straight line of Width from A to B with flat ends, as a
// polygon for FillPolygonSmooth: the pen of a line drawn with the 2-D graphics
// library, whose integer coordinates name pixel centres (so the corners are
// moved by half a pixel into this file's coordinates).
std::array<TPointF, 4> LineOutline(TPointF a, TPointF b, double width);

// Source-over of Color, with the mask value as its alpha, onto Dst at Origin,
// in non-premultiplied bytes: a := m, A' := a + A * (255 - a) / 255 and each
// colour byte d := (c * a + d * A * (255 - a) / 255) / A', rounded. Over a
// pixel of alpha 0 the pixel becomes Color with alpha m exactly.
void CompositeMask(const TsPixelBuffer& dst, TPoint origin, const TsChannelBuffer& mask,
                   TColor color);

}  // namespace ac
