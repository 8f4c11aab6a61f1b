#pragma once
// Rounded corners: the anti-aliased corner-disc masks, cutting a rectangle's
// corners against the parent, and rounded outlines. All coverage is computed
// by our own code (a fixed grid of samples per pixel), so every build produces
// the same pixels.

#include <array>
#include <cstdint>

#include "core/geometry.h"
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// Corner radii in the order top-left, top-right, bottom-left, bottom-right.
using TCornerRadii = std::array<int32_t, 4>;

// The (2r + 1) x (2r + 1) corner mask of radius R: 255 outside the disc that
// fills the square (0, 0)-(2r, 2r) in continuous coordinates, 0 inside, the
// coverage in between. Built on first use for each radius and kept by the
// calling thread for its lifetime (radii 1 to 5 in fixed slots, larger radii
// looked up by size); the view stays valid as long as the thread lives.
// An empty view for R <= 0.
TsChannelBuffer CornerDiscMask(int32_t radius);

// Replaces the pixels of Rect's corners that lie outside corner discs by the
// parent: Cache.Bmp at the pixel position plus (Cache.X, Cache.Y) when ready
// and present, else Cache.FillColor in pixel order. Partly covered pixels mix
// all four bytes: d := ((p - d) * m + d * 256) >> 8. A radius of 0 leaves its
// corner alone.
void CutRoundCorners(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                     const TCornerRadii& radii);

// An anti-aliased outline Width pixels wide along the inside of Rect, its outer
// edge following Rect with the given corner radii (the inner edge with radii
// reduced by Width). Colour is $00BBGGRR; each covered pixel's colour bytes
// move toward it by the coverage and its alpha becomes at least the coverage.
void DrawRoundOutline(const TsPixelBuffer& dst, const TRect& rect, const TCornerRadii& radii,
                      int32_t width, TColor color);

}  // namespace ac
