// PNG through libpng, BMP through our own reader; JPEG in image_codec_jpeg.cpp.
//
// libpng reports errors by jumping out of the failing call. The jumps
// land in small functions that own nothing with a destructor (everything
// lives in a state record owned by the caller), so no C++ object is skipped;
// the caller turns the recorded message into ESkinError.

#include "pixels/image_codec.h"

#include <png.h>
// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <string>

#include "core/errors.h"
#include "pixels/native/image_codec_parts.h"

namespace ac::platform {
namespace {

// ---- PNG --------------------------------------------------------------------

struct TPngState {
  std::span<const uint8_t> Data;
  std::size_t Pos = 0;
  std::string Error;
  TDecodedImage Image;
  std::vector<png_bytep> Rows;
};

void PngError(png_structp png, png_const_charp message) {
  auto* state = static_cast<TPngState*>(png_get_error_ptr(png));
  state->Error = message;
  png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep out, png_size_t count) {
  auto* state = static_cast<TPngState*>(png_get_io_ptr(png));
  if (count > state->Data.size() - state->Pos) png_error(png, "truncated file");
  std::memcpy(out, state->Data.data() + state->Pos, count);
  state->Pos += count;
}

// Reads the header and sets the transformations that turn every PNG variant
// into 8-bit B, G, R, A: palette and grey expanded, tRNS made alpha, 16-bit
// samples cut to their high byte (what the Windows codecs do), opaque alpha
// added where the file has none.
bool PngReadHeader(png_structp png, png_infop info, TPngState& state) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  const int colorType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  state.Image.Width = static_cast<int>(png_get_image_width(png, info));
  state.Image.Height = static_cast<int>(png_get_image_height(png, info));
  state.Image.SourceBitsPerPixel = png_get_channels(png, info) * depth;

  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_strip_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return true;
}

bool PngReadPixels(png_structp png, TPngState& state) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, state.Rows.data());
  // The chunks after the image data carry nothing the skin needs, so a file
  // cut after its last image row still decodes.
  return true;
}

TDecodedImage DecodePng(std::span<const uint8_t> data, const TDecodeLimits& limits) {
  // libpng would refuse an oversized image only as "Invalid IHDR data"; the
  // size is judged here first so that the message says what is wrong.
  if (int64_t w = 0, h = 0; PngHeaderSize(data, w, h) && w > 0 && h > 0)
    CheckImageSize("PNG", static_cast<uint64_t>(w), static_cast<uint64_t>(h));
  TPngState state;
  state.Data = data;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, PngError, PngWarning);
  if (!png) throw ESkinError("PNG image: out of memory");
  png_infop info = png_create_info_struct(png);
  struct TPngGuard {
    png_structp* Png;
    png_infop* Info;
    ~TPngGuard() { png_destroy_read_struct(Png, Info, nullptr); }
  } guard{&png, &info};
  if (!info) throw ESkinError("PNG image: out of memory");

  png_set_read_fn(png, &state, PngRead);
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  if (!PngReadHeader(png, info, state)) throw ESkinError("PNG image: " + state.Error);
  CheckImageSize("PNG", png_get_image_width(png, info), png_get_image_height(png, info));
  if (png_get_rowbytes(png, info) != static_cast<std::size_t>(state.Image.Width) * 4)
    throw ESkinError("PNG image: unexpected row layout");
  if (limits.BeforePixels) limits.BeforePixels(state.Image.Width, state.Image.Height);

  TDecodedImage& image = state.Image;
  image.Format = TImageFormat::ifPng;
  image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height);
  state.Rows.resize(image.Height);
  for (int y = 0; y < image.Height; ++y)
    state.Rows[y] = reinterpret_cast<png_bytep>(&image.At(0, y));
  if (!PngReadPixels(png, state)) throw ESkinError("PNG image: " + state.Error);
  return std::move(state.Image);
}

// ---- PNG writing ----------------------------------------------------------------

struct TPngWriteState {
  std::vector<uint8_t> Out;
  std::vector<png_bytep> Rows;
  std::string Error;
};

void PngWrite(png_structp png, png_bytep data, png_size_t count) {
  auto* state = static_cast<TPngWriteState*>(png_get_io_ptr(png));
  state->Out.insert(state->Out.end(), data, data + count);
}

void PngFlush(png_structp) {}

bool PngWriteAll(png_structp png, png_infop info, const TDecodedImage& image,
                 TPngWriteState& state) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, image.Width, image.Height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  png_write_image(png, state.Rows.data());
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

void CheckImageSize(const char* format, uint64_t width, uint64_t height) {
  if (width == 0 || height == 0) throw ESkinError(std::string(format) + " image: empty dimensions");
  if (width > kMaxImageSide || height > kMaxImageSide ||
      width * height > static_cast<uint64_t>(kMaxImagePixels))
    throw ELimitExceeded(std::string(format) + " image: " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels is over the limit of " +
                         std::to_string(kMaxImageSide) + " pixels a side and " +
                         std::to_string(kMaxImagePixels) + " pixels an image");
}

TDecodedImage DecodeImage(std::span<const uint8_t> data, const TDecodeLimits& limits) {
  switch (RequireImageFormat(data)) {
    case TImageFormat::ifPng:
      return DecodePng(data, limits);
    case TImageFormat::ifJpeg:
      return DecodeJpeg(data, limits);
    default:
      return DecodeBmp(data, limits);
  }
}

std::vector<uint8_t> EncodePng(const TDecodedImage& image) {
  RequireEncodable(image);
  TPngWriteState state;
  png_structp png = png_create_write_struct(
      PNG_LIBPNG_VER_STRING, &state,
      [](png_structp p, png_const_charp message) {
        static_cast<TPngWriteState*>(png_get_error_ptr(p))->Error = message;
        png_longjmp(p, 1);
      },
      PngWarning);
  if (!png) throw ESkinError("PNG image: out of memory");
  png_infop info = png_create_info_struct(png);
  struct TPngGuard {
    png_structp* Png;
    png_infop* Info;
    ~TPngGuard() { png_destroy_write_struct(Png, Info); }
  } guard{&png, &info};
  if (!info) throw ESkinError("PNG image: out of memory");
  png_set_write_fn(png, &state, PngWrite, PngFlush);
  state.Rows.resize(image.Height);
  for (int y = 0; y < image.Height; ++y)
    state.Rows[y] = reinterpret_cast<png_bytep>(const_cast<TsPixel*>(&image.At(0, y)));
  if (!PngWriteAll(png, info, image, state)) throw ESkinError("PNG image: " + state.Error);
  return std::move(state.Out);
}

}  // namespace ac::platform
