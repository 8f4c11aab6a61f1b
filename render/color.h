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
