#pragma once
// What the skin-list tests share: preview pictures and skin archives that
// carry them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pixels/image_codec.h"
#include "skin/archive_writer.h"

namespace ac::test {

// A PNG of Width x Height pixels of one colour, $AARRGGBB.
inline std::vector<uint8_t> FlatPng(int width, int height, uint32_t pixel) {
  platform::TDecodedImage image;
  image.Width = width;
  image.Height = height;
  image.Pixels.assign(static_cast<std::size_t>(width) * height, TsPixel(pixel));
  return platform::EncodePng(image);
}

// A skin archive with a small options file and, when given, a preview
// trailer holding PreviewPng.
inline std::vector<uint8_t> PreviewedSkinArchive(
    const std::optional<std::vector<uint8_t>>& previewPng) {
  const std::string options = "[GLOBALINFO]\r\nVERSION=15\r\n";
  return WriteSkinArchive({{"OPTIONS.DAT", {options.begin(), options.end()}}}, previewPng);
}

}  // namespace ac::test
