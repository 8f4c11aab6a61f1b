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

// A colour value: one word whose bytes are read by shifting, never through
// another member, so the byte order is that of the word on every compiler.
struct TsColor {
  TColor C = 0;

  constexpr TsColor() = default;
  constexpr TsColor(TColor c) : C(c) {}

  constexpr uint8_t R() const { return Byte(0); }
  constexpr uint8_t G() const { return Byte(8); }
  constexpr uint8_t B() const { return Byte(16); }
  constexpr uint8_t A() const { return Byte(24); }

 private:
  constexpr uint8_t Byte(int shift) const {
    return static_cast<uint8_t>((static_cast<uint32_t>(C) >> shift) & 0xFFu);
  }
};
static_assert(sizeof(TsColor) == 4);

// A pixel: one word $AARRGGBB, stored little-endian as blue, green, red, alpha.
struct TsPixel {
  uint32_t V = 0;

  constexpr TsPixel() = default;
  constexpr explicit TsPixel(uint32_t v) : V(v) {}
  static constexpr TsPixel FromRGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return TsPixel(uint32_t{a} << 24 | uint32_t{r} << 16 | uint32_t{g} << 8 | b);
  }

  constexpr uint8_t B() const { return static_cast<uint8_t>(V & 0xFFu); }
  constexpr uint8_t G() const { return static_cast<uint8_t>((V >> 8) & 0xFFu); }
  constexpr uint8_t R() const { return static_cast<uint8_t>((V >> 16) & 0xFFu); }
  constexpr uint8_t A() const { return static_cast<uint8_t>(V >> 24); }
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
