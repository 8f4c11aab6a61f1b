#pragma once
// Decoding the skin images (PNG, BMP, JPEG) into 32-bit pixels.
//
// Natively PNG and JPEG go through libpng and libjpeg; the Windows build uses
// the system's own codecs (Windows Imaging Component). BMP is read by our own
// reader (pixels/bmp_reader.h) in both builds. Both builds yield identical
// pixels for the same file; a parity test holds them to that.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "pixels/bmp_reader.h"
#include "pixels/color.h"

namespace ac::platform {

enum class TImageFormat { ifUnknown, ifPng, ifBmp, ifJpeg };

// The format named by the file's first bytes ("\x89PNG\r\n\x1a\n", "BM",
// "\xFF\xD8\xFF"); never by its name.
inline TImageFormat DetectImageFormat(std::span<const uint8_t> data) {
  static constexpr uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto startsWith = [&](std::span<const uint8_t> sig) {
    if (data.size() < sig.size()) return false;
    for (std::size_t i = 0; i < sig.size(); ++i)
      if (data[i] != sig[i]) return false;
    return true;
  };
  static constexpr uint8_t kBmp[2] = {'B', 'M'};
  static constexpr uint8_t kJpeg[3] = {0xFF, 0xD8, 0xFF};
  if (startsWith(kPng)) return TImageFormat::ifPng;
  if (startsWith(kBmp)) return TImageFormat::ifBmp;
  if (startsWith(kJpeg)) return TImageFormat::ifJpeg;
  return TImageFormat::ifUnknown;
}

// The format of Data as DetectImageFormat names it; throws ESkinError when it
// is none of the three.
inline TImageFormat RequireImageFormat(std::span<const uint8_t> data) {
  const TImageFormat format = DetectImageFormat(data);
  if (format == TImageFormat::ifUnknown)
    throw ESkinError("Unknown image format: the data is neither PNG, BMP nor JPEG");
  return format;
}

// A decoded image: Width × Height pixels, rows top-down with no padding (the
// stride is Width pixels), bytes blue, green, red, alpha, not premultiplied.
struct TDecodedImage {
  TImageFormat Format = TImageFormat::ifUnknown;
  int Width = 0;
  int Height = 0;
  // Bits per pixel as stored in the file: a BMP's bit count (1, 4, 8, 16, 24
  // or 32), a PNG's channels × bit depth (1 … 64), 8 or 24 for JPEG.
  int SourceBitsPerPixel = 0;
  std::vector<TsPixel> Pixels;

  // True when the alpha bytes came from the file: every PNG (decoded into a
  // 32-bit image, opaque where the file has no alpha) and 32-bit BMPs (whose
  // fourth byte is kept as it stands). Otherwise the image was converted from
  // fewer bits per pixel and every alpha byte is 255; the skin loader keys
  // such images by colour.
  bool ArrivedWith32Bits() const {
    return Format == TImageFormat::ifPng ||
           (Format == TImageFormat::ifBmp && SourceBitsPerPixel == 32);
  }

  TsPixel& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
  const TsPixel& At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// Throws ESkinError unless Image holds a picture to encode: a positive size
// and exactly Width × Height pixels.
inline void RequireEncodable(const TDecodedImage& image) {
  if (image.Width <= 0 || image.Height <= 0 ||
      image.Pixels.size() != static_cast<std::size_t>(image.Width) * image.Height)
    throw ESkinError("PNG image: nothing to encode");
}

// What a caller allows one decode. BeforePixels, when set, is called with the
// image's size once its header is read and before any pixel memory is taken;
// it throws to refuse the image (a skin load charges its budget there).
struct TDecodeLimits {
  std::function<void(int width, int height)> BeforePixels;
};

// JPEG files of more scans than this are refused with ELimitExceeded: every
// scan makes the decoder visit each block of the image again, so a few bytes
// per scan could keep it busy for minutes. Progressive files of real encoders
// have about ten scans.
inline constexpr int kMaxJpegScans = 100;

// The size a BMP header claims, when it is plausible (both sides from 1 to
// kMaxImageSide); the reader checks everything else.
inline bool BmpHeaderSize(std::span<const uint8_t> data, int& width, int& height) {
  auto u16 = [&](std::size_t at) { return static_cast<uint32_t>(data[at] | data[at + 1] << 8); };
  auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (data.size() < 26) return false;
  int64_t w = 0, h = 0;
  if (u32(14) == 12) {
    w = u16(18);
    h = u16(20);
  } else {
    w = static_cast<int32_t>(u32(18));
    h = static_cast<int32_t>(u32(22));
    if (h < 0) h = -h;  // top-down rows
  }
  if (w < 1 || h < 1 || w > kMaxImageSide || h > kMaxImageSide) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

// The size in the header of a PNG whose first chunk is its header, as the
// format requires; false when the file is too short to tell. Decoders judge
// the size before the data, so that an oversized image is named as such.
inline bool PngHeaderSize(std::span<const uint8_t> data, int64_t& width, int64_t& height) {
  static constexpr uint8_t kIhdr[4] = {'I', 'H', 'D', 'R'};
  if (data.size() < 24) return false;
  for (std::size_t i = 0; i < 4; ++i)
    if (data[12 + i] != kIhdr[i]) return false;
  auto u32 = [&](std::size_t at) {
    return int64_t{data[at]} << 24 | int64_t{data[at + 1]} << 16 | int64_t{data[at + 2]} << 8 |
           data[at + 3];
  };
  width = u32(16);
  height = u32(20);
  return true;
}

// Our own BMP reader's result as a decoded image; both builds read BMP so.
inline TDecodedImage DecodeBmp(std::span<const uint8_t> data, const TDecodeLimits& limits = {}) {
  int width = 0, height = 0;
  if (limits.BeforePixels && BmpHeaderSize(data, width, height)) limits.BeforePixels(width, height);
  TBmpImage bmp = ReadBmp(data);
  TDecodedImage image;
  image.Format = TImageFormat::ifBmp;
  image.Width = bmp.Width;
  image.Height = bmp.Height;
  image.SourceBitsPerPixel = bmp.BitsPerPixel;
  image.Pixels = std::move(bmp.Pixels);
  return image;
}

// Decodes a PNG, BMP or JPEG file held in memory, the format told by its
// signature. Throws ESkinError naming the format on an unknown signature or
// corrupt or truncated data; ELimitExceeded for an image beyond kMaxImageSide
// or kMaxImagePixels (told before the data is read) or, natively, a JPEG of
// more than kMaxJpegScans scans. Limits.BeforePixels may refuse the size.
TDecodedImage DecodeImage(std::span<const uint8_t> data, const TDecodeLimits& limits = {});

// Encodes Image (Format and SourceBitsPerPixel are ignored) as an 8-bit RGBA
// PNG, every byte kept as it stands: for tools and for tests that save what
// they drew. Throws ESkinError for an image without pixels or when the
// encoder fails.
std::vector<uint8_t> EncodePng(const TDecodedImage& image);

}  // namespace ac::platform
