// Feeds arbitrary bytes to the image decoder the skin loader uses (libpng,
// libjpeg and our BMP reader natively). Bad input may only raise ESkinError;
// a decoded image must be as large as it says and within the limits.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/errors.h"
#include "pixels/image_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  try {
    const ac::platform::TDecodedImage image = ac::platform::DecodeImage(bytes);
    if (image.Format != ac::platform::DetectImageFormat(bytes)) __builtin_trap();
    if (image.Width <= 0 || image.Height <= 0 || image.Width > ac::kMaxImageSide ||
        image.Height > ac::kMaxImageSide)
      __builtin_trap();
    if (image.Pixels.size() != static_cast<std::size_t>(image.Width) * image.Height)
      __builtin_trap();
  } catch (const ac::ESkinError&) {
  }
  return 0;
}
