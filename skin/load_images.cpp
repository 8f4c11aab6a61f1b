#include "skin/load_images.h"

#include <memory>
#include <string>
#include <utility>

#include "core/errors.h"
#include "pixels/blend_fill.h"
#include "pixels/blend_premultiply.h"
#include "pixels/image_codec.h"
#include "skin/load_budget.h"
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

// Decodes Bytes, which the file's name says are of Kind. Skins name the
// decoder through the file's name, and a skin that works here must work
// wherever skins are read that way: data of another kind fails to load
// rather than being taken for what it is.
platform::TDecodedImage Decode(std::span<const uint8_t> bytes, std::string_view name,
                               TImageKind kind, TacLoadBudget* budget) {
  const std::string what = "Skin image " + Quoted(name);
  if (kind == TImageKind::ikUnknown) throw ESkinError(what + ": the file type is not supported");
  if (platform::DetectImageFormat(bytes) != FormatOf(kind))
    throw ESkinError(what + " does not hold " + KindName(kind) + " data");
  platform::TDecodeLimits limits;
  limits.BeforePixels = [&](int width, int height) {
    CheckLoadedImageSize(width, height, what, budget);
  };
  try {
    return platform::DecodeImage(bytes, limits);
  } catch (const ELimitExceeded& e) {
    // Already named when the budget refused it; the decoder's own limits
    // are not.
    if (std::string_view(e.what()).starts_with(what)) throw;
    throw ELimitExceeded(what + ": " + e.what());
  } catch (const ESkinError& e) {
    throw ESkinError(what + ": " + e.what());
  }
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

void CheckLoadedImageSize(int64_t width, int64_t height, std::string_view what,
                          TacLoadBudget* budget) {
  // Either side alone may already be near the 64-bit range's root.
  if (width < 0 || height < 0 || (width > 0 && height > kMaxLoadedImagePixels / width))
    throw ELimitExceeded(std::string(what) + " is " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels, over the limit of " +
                         std::to_string(kMaxLoadedImagePixels) + " pixels a skin image may have");
  if (budget) budget->ChargePixels(width, height, what);
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

TsBitmapRef DecodeMasterImage(std::span<const uint8_t> bytes, std::string_view name,
                              TacLoadBudget* budget) {
  const bool png = UpperCaseName(name).find(".PNG") != std::string::npos;
  platform::TDecodedImage img =
      Decode(bytes, name, png ? TImageKind::ikPng : TImageKind::ikBmp, budget);
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
                            TPremultiplyPng premultiply, TacLoadBudget* budget) {
  const TImageKind kind = MaskImageKind(name);
  platform::TDecodedImage img = Decode(bytes, name, kind, budget);
  const bool with32Bits = img.ArrivedWith32Bits();
  TsBitmapRef out = ToBitmap(img);
  if (kind == TImageKind::ikPng && premultiply == TPremultiplyPng::Yes) Premultiply(*out);
  if (!with32Bits) KeyImageWithoutAlpha(*out);
  return out;
}

}  // namespace ac
