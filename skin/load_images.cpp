#include "skin/load_images.h"

#include <memory>
#include <string>
#include <utility>

#include "core/errors.h"
#include "pixels/image_codec.h"
#include "pixels/blend_fill.h"
#include "pixels/blend_premultiply.h"
#include "skin/skin_convertor.h"
#include "skin/skin_manager_core.h"

namespace ac {

namespace {

struct TOwnedBitmap {
  TsPixelImage Image;
  std::vector<TsPixel> Pixels;  // or the decoder's pixels
  TsPixelBuffer View;
};

std::string Quoted(std::string_view name) {
  std::string s;
  s.reserve(name.size() + 2);
  s += '"';
  s.append(name);
  s += '"';
  return s;
}

platform::TImageFormat FormatOf(TImageKind kind) {
  switch (kind) {
    case TImageKind::ikPng:
      return platform::TImageFormat::ifPng;
    case TImageKind::ikBmp:
      return platform::TImageFormat::ifBmp;
    case TImageKind::ikJpeg:
      return platform::TImageFormat::ifJpeg;
    default:
      return platform::TImageFormat::ifUnknown;
  }
}

const char* KindName(TImageKind kind) {
  switch (kind) {
    case TImageKind::ikPng:
      return "PNG";
    case TImageKind::ikBmp:
      return "BMP";
    case TImageKind::ikJpeg:
      return "JPEG";
    default:
      return "image";
  }
}

// Decodes Bytes, which the file's name says are of Kind. The original engine
// chose the decoder by the name, so data of another kind fails to load rather
// than being taken for what it is.
platform::TDecodedImage Decode(std::span<const uint8_t> bytes, std::string_view name,
                               TImageKind kind) {
  if (kind == TImageKind::ikUnknown)
    throw ESkinError("Skin image " + Quoted(name) + ": the file type is not supported");
  if (platform::DetectImageFormat(bytes) != FormatOf(kind))
    throw ESkinError("Skin image " + Quoted(name) + " does not hold " + KindName(kind) + " data");
  platform::TDecodedImage img;
  try {
    img = platform::DecodeImage(bytes);
  } catch (const ESkinError& e) {
    throw ESkinError("Skin image " + Quoted(name) + ": " + e.what());
  }
  CheckLoadedImageSize(img.Width, img.Height, "Skin image " + Quoted(name));
  return img;
}

TsBitmapRef ToBitmap(platform::TDecodedImage& img) {
  return SharePixels(std::move(img.Pixels), img.Width, img.Height);
}

// An image of fewer than 32 bits, converted to 32 bits, has no alpha yet: it
// becomes opaque except on the key colour, which stays fully transparent.
void KeyImageWithoutAlpha(const TsPixelBuffer& buf) {
  for (int32_t y = 0; y < buf.Height; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = 0; x < buf.Width; ++x) row[x] &= 0x00FFFFFFu;
  }
  SetAlphaArea(buf, buf.Bounds(), 255, {}, clFuchsia);
}

}  // namespace

TsBitmapRef ShareImage(TsPixelImage image) {
  auto owner = std::make_shared<TOwnedBitmap>();
  owner->Image = std::move(image);
  owner->View = owner->Image.View();
  return TsBitmapRef(owner, &owner->View);
}

TsBitmapRef SharePixels(std::vector<TsPixel> pixels, int32_t width, int32_t height) {
  auto owner = std::make_shared<TOwnedBitmap>();
  owner->Pixels = std::move(pixels);
  if (width > 0 && height > 0 &&
      owner->Pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    owner->View = TsPixelBuffer(owner->Pixels.data(), width, height,
                                height > 1 ? static_cast<std::ptrdiff_t>(width) * 4 : 0);
  return TsBitmapRef(owner, &owner->View);
}

void CheckLoadedImageSize(int64_t width, int64_t height, std::string_view what) {
  if (width < 0 || height < 0 || width * height > kMaxLoadedImagePixels)
    throw ESkinImageTooLarge(std::string(what) + " is " + std::to_string(width) + " x " +
                             std::to_string(height) + " pixels; skin images are limited to " +
                             std::to_string(kMaxLoadedImagePixels) + " pixels");
}

TsPixelImage CopyArea(const TsPixelBuffer& src, const TRect& area) {
  TsPixelImage out(area.Width(), area.Height());
  const TRect r = ClipToBuffer(area, src);
  if (r.IsEmpty() || out.IsEmpty()) return out;
  const TsPixelBuffer& v = out.View();
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    const uint32_t* s = src.Row(y) + r.Left;
    uint32_t* d = v.Row(y - area.Top) + (r.Left - area.Left);
    std::copy(s, s + r.Width(), d);
  }
  return out;
}

TImageKind MaskImageKind(std::string_view name) {
  const std::string upper = UpperCaseName(name);
  if (upper.find(".BMP") != std::string::npos) return TImageKind::ikBmp;
  if (upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos)
    return TImageKind::ikJpeg;
  if (upper.find(".PNG") != std::string::npos) return TImageKind::ikPng;
  return TImageKind::ikUnknown;
}

TsBitmapRef DecodeMasterImage(std::span<const uint8_t> bytes, std::string_view name) {
  const bool png = UpperCaseName(name).find(".PNG") != std::string::npos;
  platform::TDecodedImage img = Decode(bytes, name, png ? TImageKind::ikPng : TImageKind::ikBmp);
  const bool with32Bits = img.ArrivedWith32Bits();
  TsBitmapRef out = ToBitmap(img);
  const TsPixelBuffer& v = *out;
  if (png) {
    for (int32_t y = 0; y < v.Height; ++y) {
      uint32_t* row = v.Row(y);
      for (int32_t x = 0; x < v.Width; ++x)
        if (row[x] == 0xFFFF00FFu) row[x] = kKeyPixel;
    }
  }
  if (!with32Bits) KeyImageWithoutAlpha(v);
  return out;
}

TsBitmapRef DecodeMaskImage(std::span<const uint8_t> bytes, std::string_view name,
                            TPremultiplyPng premultiply) {
  const TImageKind kind = MaskImageKind(name);
  platform::TDecodedImage img = Decode(bytes, name, kind);
  const bool with32Bits = img.ArrivedWith32Bits();
  TsBitmapRef out = ToBitmap(img);
  if (kind == TImageKind::ikPng && premultiply == TPremultiplyPng::Yes) Premultiply(*out);
  if (!with32Bits) KeyImageWithoutAlpha(*out);
  return out;
}

}  // namespace ac
