#pragma once
// The range of numbers the painters work in. Internal to paint/.
//
// Rectangles, points, offsets, bands, frame sizes and counts come from skins
// and controls. The painters take them within +-kPaintLimit and paint nothing
// for anything beyond: no image the engine loads or makes comes near that size
// (a side is at most 32768 pixels), and the sum or difference of two numbers in
// range stays inside 32 bits. Products such as frame * Width are formed in 64
// bits and checked against the range before they are used.

#include <cstdint>

#include "core/geometry.h"
#include "pixels/cache_info.h"
#include "skin/skin_data.h"

namespace ac::paint_limits {

inline constexpr int32_t kPaintLimit = 1 << 24;

inline bool InPaintRange(int64_t v) {
  return v >= -kPaintLimit && v <= kPaintLimit;
}

inline bool InPaintRange(TPoint p) {
  return InPaintRange(p.X) && InPaintRange(p.Y);
}

inline bool InPaintRange(const TRect& r) {
  return InPaintRange(r.Left) && InPaintRange(r.Top) && InPaintRange(r.Right) &&
         InPaintRange(r.Bottom);
}

// Corner radii beyond this are drawn with it. Each radius has a corner mask
// of (2r + 1)^2 bytes kept for the life of the thread; up to this radius all
// of them together stay near 22 MB, however many radii a skin names, and no
// real corner is that round.
inline constexpr int32_t kMaxCornerRadius = 256;

// The parent's offsets and margins.
inline bool InPaintRange(const TCacheInfo& c) {
  return InPaintRange(c.X) && InPaintRange(c.Y) && InPaintRange(c.FillRect);
}

// An entry whose geometry the painters can work with: every size and band in
// range and mask rows counted from 0 (loading never makes a negative count;
// painting one would divide by zero or read above the image).
inline bool PaintableEntry(const TsMaskData& m) {
  return InPaintRange(m.R) && InPaintRange(m.Width) && InPaintRange(m.Height) &&
         InPaintRange(m.ImageCount) && m.MaskType >= 0 && m.MaskType < kPaintLimit &&
         InPaintRange(m.WL) && InPaintRange(m.WT) && InPaintRange(m.WR) && InPaintRange(m.WB);
}

// Percentages are shares of 0..100; anything outside counts as its bound.
inline int32_t Percent(int32_t p) {
  return p < 0 ? 0 : (p > 100 ? 100 : p);
}

}  // namespace ac::paint_limits
