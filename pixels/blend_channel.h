#pragma once
// Channel and colour operations over whole buffers: grey conversion, channel
// copies, per-pixel procedures and the corner-key opacity of old images.

#include <cstdint>

#include "pixels/pixel_buffer.h"

namespace ac {

// Round(0.299 R + 0.587 G + 0.114 B), rounding half to even, computed exactly
// in thousandths so no floating-point error can move a half.
constexpr uint32_t Luminance(uint32_t r, uint32_t g, uint32_t b) {
  const uint32_t n = 299 * r + 587 * g + 114 * b;
  const uint32_t q = n / 1000;
  const uint32_t rem = n % 1000;
  return q + ((rem > 500 || (rem == 500 && (q & 1u) != 0)) ? 1u : 0u);
}

// Every pixel's colour bytes := its luminance; alpha kept.
void MakeGray(const TsPixelBuffer& buf);
// As MakeGray, skipping pixels whose whole value equals Key (clNone: none).
void MakeGrayKeyed(const TsPixelBuffer& buf, TColor key);

// Byte Channel (0 blue .. 3 alpha) of every pixel copied from Src; the area
// common to both buffers is processed.
void CopyChannel(const TsPixelBuffer& dst, const TsPixelBuffer& src, int channel);
// Dst byte := Src byte Channel. Same sizes.
void ExtractChannel(const TsChannelBuffer& dst, const TsPixelBuffer& src, int channel);
// Dst byte Channel := Src byte. Same sizes.
void InsertChannel(const TsPixelBuffer& dst, const TsChannelBuffer& src, int channel);

// Calls proc(pixel) with a reference to every pixel in row order; when Skip is
// not clNone, pixels whose value equals ColorToPixel(Skip) are not passed (so
// Skip = clFuchsia skips $00FF00FF but not opaque magenta). The procedure is a
// template argument so it is inlined into the loop.
template <typename Proc>
void ForEachPixel(const TsPixelBuffer& buf, Proc&& proc, TColor skip) {
  if (buf.IsEmpty()) return;
  const bool skipping = skip != clNone;
  const uint32_t s = ColorToPixel(static_cast<uint32_t>(skip));
  for (int32_t y = 0; y < buf.Height; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = 0; x < buf.Width; ++x) {
      if (skipping && row[x] == s) continue;
      proc(row[x]);
    }
  }
}

// For an image without any alpha: the pixel at (0, Height - 1) is the key and
// every pixel of another value gets alpha 255. An image with any alpha is left
// alone.
void OpaqueByCornerKey(const TsPixelBuffer& buf);

}  // namespace ac
