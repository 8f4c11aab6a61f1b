#pragma once
// The pieces of the native image decoder, shared by its source files.

#include <cstdint>
#include <span>

#include "pixels/image_codec.h"

namespace ac::platform {

// Throws ESkinError ("<Format> image: …") for empty dimensions and
// ELimitExceeded for dimensions beyond kMaxImageSide or kMaxImagePixels.
void CheckImageSize(const char* format, uint64_t width, uint64_t height);

TDecodedImage DecodeJpeg(std::span<const uint8_t> data, const TDecodeLimits& limits);

}  // namespace ac::platform
