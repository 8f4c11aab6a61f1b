#pragma once
// Test pictures written as rows of letters: each letter is one pixel whose
// four bytes all hold the letter, so a copy of any byte in the wrong place
// shows.

#include <cstdint>
#include <string>
#include <vector>

#include "pixels/pixel_buffer.h"

namespace ac::test {

inline uint32_t Px(char c) {
  return static_cast<uint8_t>(c) * 0x01010101u;
}

inline TsPixelImage Picture(const std::vector<std::string>& rows) {
  TsPixelImage img(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
  for (int32_t y = 0; y < img.Height(); ++y)
    for (int32_t x = 0; x < img.Width(); ++x) img.View().At(x, y) = Px(rows[y][x]);
  return img;
}

// The rows of B, '?' where a pixel's four bytes are not one letter.
inline std::vector<std::string> Rows(const TsPixelBuffer& b) {
  std::vector<std::string> rows;
  for (int32_t y = 0; y < b.Height; ++y) {
    std::string row;
    for (int32_t x = 0; x < b.Width; ++x) {
      const uint32_t p = b.At(x, y);
      row += p == Px(static_cast<char>(p & 0xFF)) ? static_cast<char>(p & 0xFF) : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace ac::test
