#pragma once
// Our own reader of Windows bitmap files, used by both builds so that a BMP
// skin image gives the same pixels everywhere.
//
// Reads BITMAPCOREHEADER, BITMAPINFOHEADER and its V2…V5 extensions: 1, 4 and 8
// bits per pixel with a palette (8 and 4 also run-length encoded), 16 bits
// (5-5-5 or bit fields), 24 and 32 bits (plain or bit fields), bottom-up and
// top-down. Embedded JPEG or PNG data inside a BMP is refused.

#include <cstdint>
#include <span>
#include <vector>

#include "pixels/color.h"

namespace ac {

// Images larger than this are refused before any pixel memory is taken: a
// forged header must not make a decoder allocate gigabytes or spend seconds
// on a few hundred bytes. 16 M pixels (64 MB decoded, 4096 × 4096) is several
// times the master image of a large skin drawn for 192 pixels per inch.
// Shared by every image decoder.
inline constexpr int kMaxImageSide = 32768;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 24;

struct TBmpImage {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 0;  // the file's bit count
  // Width × Height pixels, top-down, B, G, R, A. Images of fewer than 32 bits
  // get alpha 255; 32-bit images keep their fourth byte as it stands (or the
  // alpha field, when the file names one through bit fields).
  std::vector<TsPixel> Pixels;
};

// Throws ESkinError with a message beginning "BMP image:" on a bad signature,
// an unsupported variant, truncated data or dimensions beyond the limits.
TBmpImage ReadBmp(std::span<const uint8_t> data);

}  // namespace ac
