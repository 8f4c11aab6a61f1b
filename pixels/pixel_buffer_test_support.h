#pragma once
// Helpers for the render tests: small images from pixel lists and a hex dump
// that makes a failed comparison readable.

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "pixels/pixel_buffer.h"

namespace ac::test {

// Repeatable pseudo-random pixels for the tests that hold vector kernels to
// their plain formulas; biased toward 0 and 255 bytes, where rounding and
// limits bite.
class TRandom {
 public:
  explicit TRandom(uint32_t seed = 12345) : FState(seed) {}
  uint32_t Pixel() {
    uint32_t p = 0;
    for (int sh = 0; sh < 32; sh += 8) {
      const uint32_t r = Next();
      const uint32_t b = (r & 7) == 0 ? 0 : (r & 7) == 1 ? 255 : (r >> 8) & 0xFF;
      p |= b << sh;
    }
    return p;
  }
  uint32_t Next() {
    FState = FState * 1664525u + 1013904223u;
    return FState >> 8;
  }

 private:
  uint32_t FState;
};

// A w x h image filled row by row from Pixels (the rest stays 0).
inline TsPixelImage MakeImage(int32_t w, int32_t h, std::initializer_list<uint32_t> pixels,
                              TRowOrder order = TRowOrder::TopDown) {
  TsPixelImage img(w, h, order);
  int32_t i = 0;
  for (uint32_t p : pixels) {
    if (i >= w * h) break;
    img.View().At(i % w, i / w) = p;
    ++i;
  }
  return img;
}

inline TsPixelImage Filled(int32_t w, int32_t h, uint32_t v, TRowOrder order = TRowOrder::TopDown) {
  TsPixelImage img(w, h, order);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) img.View().At(x, y) = v;
  return img;
}

inline std::vector<uint32_t> Pixels(const TsPixelBuffer& b) {
  std::vector<uint32_t> out;
  for (int32_t y = 0; y < b.Height; ++y)
    for (int32_t x = 0; x < b.Width; ++x) out.push_back(b.At(x, y));
  return out;
}

// The bytes of an 8-bit image row by row.
inline std::vector<uint8_t> Values(const TsChannelBuffer& b) {
  std::vector<uint8_t> out;
  for (int32_t y = 0; y < b.Height; ++y)
    for (int32_t x = 0; x < b.Width; ++x) out.push_back(b.Row(y)[x]);
  return out;
}

// Rows of 8-digit hex pixels, one line per row.
inline std::string Hex(const TsPixelBuffer& b) {
  std::string s;
  char buf[16];
  for (int32_t y = 0; y < b.Height; ++y) {
    for (int32_t x = 0; x < b.Width; ++x) {
      std::snprintf(buf, sizeof buf, "%08x ", b.At(x, y));
      s += buf;
    }
    s += '\n';
  }
  return s;
}

inline std::string Hex(int32_t w, std::initializer_list<uint32_t> pixels) {
  std::string s;
  char buf[16];
  int32_t i = 0;
  for (uint32_t p : pixels) {
    std::snprintf(buf, sizeof buf, "%08x ", p);
    s += buf;
    if (++i % w == 0) s += '\n';
  }
  return s;
}

}  // namespace ac::test
