#pragma once
// The two colour encodings the engine moves between.
//
// TsColor is a colour value as skins and properties store it, $00BBGGRR: red in
// byte 0. TsPixel is a pixel of a TsPixelBuffer: blue in byte 0, read as a
// little-endian word $AARRGGBB. ColorToPixel swaps bytes 0 and 2 and converts
// both ways.

#include <cstdint>

#include "core/color.h"

namespace ac {

union TsColor {
  TColor C;
  int32_t I;
  struct {
    uint8_t R, G, B, A;
  };

  constexpr TsColor() : C(0) {}
  constexpr TsColor(TColor c) : C(c) {}
};
static_assert(sizeof(TsColor) == 4);

union TsPixel {
  uint32_t V;
  struct {
    uint8_t B, G, R, A;
  };

  constexpr TsPixel() : V(0) {}
  constexpr explicit TsPixel(uint32_t v) : V(v) {}
};
static_assert(sizeof(TsPixel) == 4);

constexpr uint32_t ColorToPixel(uint32_t c) {
  return (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

}  // namespace ac

namespace ac {

// Mixes bytes 0-2 of two colours, Weight being Color1's share out of 256:
// (c1 * Weight + c2 * (255 - Weight)) >> 8, so Weight 255 does not give Color1
// back exactly. Byte 3 comes from Color1. Works in either byte order.
constexpr uint32_t MixColor(uint32_t c1, uint32_t c2, uint8_t weight) {
  uint32_t out = c1 & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t a = (c1 >> shift) & 0xFFu;
    const uint32_t b = (c2 >> shift) & 0xFFu;
    out |= (((a * weight + b * (255u - weight)) >> 8) & 0xFFu) << shift;
  }
  return out;
}

}  // namespace ac
