#pragma once
// Images of a loading skin: decoding skin files into 32-bit bitmaps with the
// skin's keying rules, copying areas, and sharing owned pixels as the
// TsBitmapRef the loaded model holds.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/geometry.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

// The pixel value of the transparent key colour of skin images.
inline constexpr uint32_t kKeyPixel = 0x00FF00FFu;

// Moves Image into shared ownership; the returned view stays valid while any
// copy of the reference lives.
TsBitmapRef ShareImage(TsPixelImage image);
// The same for decoded pixels (Width x Height, top-down, no padding), which
// are kept where the decoder put them.
TsBitmapRef SharePixels(std::vector<TsPixel> pixels, int32_t width, int32_t height);

class TacLoadBudget;

// Throws ELimitExceeded naming What when a Width x Height image would exceed
// kMaxLoadedImagePixels (or either side is negative), or would pass Budget
// (when given), which is charged otherwise. Unlike an image that cannot be
// decoded (a mask image of that kind is only left out), a limit stops the
// load.
void CheckLoadedImageSize(int64_t width, int64_t height, std::string_view what,
                          TacLoadBudget* budget = nullptr);

// A new image holding Area of Src (clipped to Src; what lies outside is 0).
TsPixelImage CopyArea(const TsPixelBuffer& src, const TRect& area);

enum class TImageKind { ikPng, ikBmp, ikJpeg, ikUnknown };

// The decoder a skin file's name asks for: ".BMP", then ".JPG" or ".JPEG",
// then ".PNG" (upper-cased name, anywhere in it).
TImageKind MaskImageKind(std::string_view name);

// The master bitmap from its file: a name containing ".PNG" is decoded as PNG
// and its opaque $FF00FF pixels get alpha 0; any other as BMP. An image that
// did not arrive with 32 bits gets alpha 255 except on $FF00FF pixels. Throws
// ESkinError naming the file when it cannot be decoded, ELimitExceeded when it
// is too large or would pass Budget.
TsBitmapRef DecodeMasterImage(std::span<const uint8_t> bytes, std::string_view name,
                              TacLoadBudget* budget = nullptr);

enum class TPremultiplyPng { No, Yes };

// A mask's image file, decoded as its name says (MaskImageKind). PNG images
// are premultiplied when asked; images that did not arrive with 32 bits get
// alpha 255 except on $FF00FF pixels. Throws ESkinError when the file cannot
// be decoded, ELimitExceeded when it is too large or would pass Budget.
TsBitmapRef DecodeMaskImage(std::span<const uint8_t> bytes, std::string_view name,
                            TPremultiplyPng premultiply, TacLoadBudget* budget = nullptr);

}  // namespace ac
