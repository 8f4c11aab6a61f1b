// JPEG through libjpeg (Debian's libjpeg-turbo), made to give the pixels the
// Windows build gets.
//
// The Windows build decodes with the Windows Imaging Component; under Wine
// that is IJG libjpeg 9, which enlarges chroma halved in both directions
// (4:2:0) inside the inverse transform, each 8 × 8 block straight to 16 × 16,
// where libjpeg-turbo transforms at 8 × 8 and interpolates afterwards. The
// results differ by a level or two. So colour images with full-size or 4:2:0
// chroma are decoded here as raw planes: luma (and full-size chroma) at scale
// 1, halved chroma in a second pass at scale 2, which transforms every block
// to 16 × 16; the planes are then turned into RGB with libjpeg 9's own
// fixed-point formula. Other chroma layouts (4:2:2, 4:4:0, …), grey and CMYK
// go through libjpeg's own output; those colour layouts may differ from the
// Windows build by a level or two.
//
// libjpeg reports errors by jumping out of the failing call. The jumps land
// in small functions that own nothing with a destructor (everything lives in
// records owned by the caller), so no C++ object is skipped.

#include <cstdio>  // jpeglib.h needs size_t and FILE declared first

#include <jpeglib.h>
// jerror.h after jpeglib.h, which it builds on.
#include <jerror.h>

#include <array>
#include <csetjmp>
#include <string>

#include "core/errors.h"
#include "pixels/native/image_codec_parts.h"

namespace ac::platform {
namespace {

// One decompression of the file.
struct TJpegPass {
  jpeg_error_mgr Manager;  // first, so the library's error pointer is also ours
  std::jmp_buf Jump;
  std::string Error;
  bool OverLimit = false;         // Error names a limit, not broken data
  jpeg_progress_mgr Progress{};   // counts the scans while the file is read
  jpeg_decompress_struct Info{};  // zeroed: destroying it is safe however far creation got

  TJpegPass() {
    Info.err = jpeg_std_error(&Manager);
    Manager.error_exit = Fail;
    Manager.emit_message = Message;
    Progress.progress_monitor = Monitor;
  }
  TJpegPass(const TJpegPass&) = delete;
  TJpegPass& operator=(const TJpegPass&) = delete;
  ~TJpegPass() { jpeg_destroy_decompress(&Info); }

  [[noreturn]] void Throw() const {
    if (OverLimit) throw ELimitExceeded("JPEG image: " + Error);
    throw ESkinError("JPEG image: " + Error);
  }

  // libjpeg reports progress at least once per scan it reads; a file of
  // more scans than any encoder writes is stopped there.
  static void Monitor(j_common_ptr cinfo) {
    if (cinfo->is_decompressor == 0) return;
    auto* info = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (info->input_scan_number <= kMaxJpegScans) return;
    auto* pass = reinterpret_cast<TJpegPass*>(cinfo->err);
    pass->Error = "more than the limit of " + std::to_string(kMaxJpegScans) + " scans";
    pass->OverLimit = true;
    std::longjmp(pass->Jump, 1);
  }

  static void Fail(j_common_ptr cinfo) {
    auto* pass = reinterpret_cast<TJpegPass*>(cinfo->err);
    char text[JMSG_LENGTH_MAX];
    cinfo->err->format_message(cinfo, text);
    pass->Error = text;
    std::longjmp(pass->Jump, 1);
  }

  // Warnings pass, except the one that says the data ended early: libjpeg
  // would fill the rest of the image with grey, the Windows codec fails.
  static void Message(j_common_ptr cinfo, int level) {
    if (level == -1 && cinfo->err->msg_code == JWRN_JPEG_EOF) Fail(cinfo);
  }
};

bool JpegReadHeader(TJpegPass& pass, std::span<const uint8_t> data) {
  if (setjmp(pass.Jump)) return false;
  jpeg_create_decompress(&pass.Info);
  pass.Info.progress = &pass.Progress;
  jpeg_mem_src(&pass.Info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&pass.Info, TRUE);
  return true;
}

// ---- libjpeg's own output: grey, CMYK and colour layouts we cannot match ----

bool JpegReadDirect(TJpegPass& pass, TDecodedImage& image, std::vector<uint8_t>& row) {
  if (setjmp(pass.Jump)) return false;
  jpeg_decompress_struct& cinfo = pass.Info;
  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
      cinfo.out_color_space = JCS_GRAYSCALE;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo.out_color_space = JCS_CMYK;
      break;
    default:
      cinfo.out_color_space = JCS_RGB;
  }
  jpeg_start_decompress(&cinfo);
  const int channels = cinfo.output_components;
  row.resize(static_cast<std::size_t>(image.Width) * channels);
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) ERREXIT(&cinfo, JERR_INPUT_EMPTY);
    TsPixel* out = &image.At(0, y);
    const uint8_t* in = row.data();
    for (int x = 0; x < image.Width; ++x, in += channels) {
      if (channels == 1) {
        out[x] = TsPixel::FromRGBA(in[0], in[0], in[0], 255);
      } else if (channels == 3) {
        out[x] = TsPixel::FromRGBA(in[0], in[1], in[2], 255);
      } else {
        // Adobe writes CMYK inverted: each byte is the amount of ink left out.
        const auto ink = [&](int i) { return static_cast<uint8_t>(in[i] * in[3] / 255); };
        out[x] = TsPixel::FromRGBA(ink(0), ink(1), ink(2), 255);
      }
    }
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

// ---- raw planes and our own colour conversion ----

// A component's samples as the inverse transform leaves them: whole blocks,
// so wider and taller than the image by up to one block.
struct TPlane {
  int Stride = 0;
  std::vector<uint8_t> Samples;
  const uint8_t* Row(int y) const { return Samples.data() + static_cast<std::size_t>(y) * Stride; }
};

struct TRawPass {
  std::array<bool, 3> Keep{};  // components whose plane this pass fills
  std::array<TPlane, 3> Planes;
  std::vector<uint8_t> Scratch;  // one block row of each component not kept
  std::array<std::vector<JSAMPROW>, 3> Rows;
};

bool JpegReadRaw(TJpegPass& pass, int scale, TRawPass& raw) {
  if (setjmp(pass.Jump)) return false;
  jpeg_decompress_struct& cinfo = pass.Info;
  cinfo.raw_data_out = TRUE;
  cinfo.scale_num = static_cast<unsigned>(scale);
  cinfo.scale_denom = 1;
  jpeg_start_decompress(&cinfo);
  const int blockRows = cinfo.max_v_samp_factor * cinfo.min_DCT_scaled_size;
  for (int c = 0; c < 3; ++c) {
    const jpeg_component_info& comp = cinfo.comp_info[c];
    const int stride = static_cast<int>(comp.width_in_blocks) * comp.DCT_scaled_size;
    const int rows = comp.v_samp_factor * comp.DCT_scaled_size;
    raw.Planes[c].Stride = stride;
    raw.Rows[c].resize(rows);
    if (raw.Keep[c])
      raw.Planes[c].Samples.resize(static_cast<std::size_t>(stride) * rows * cinfo.total_iMCU_rows);
    else if (raw.Scratch.size() < static_cast<std::size_t>(stride) * rows)
      raw.Scratch.resize(static_cast<std::size_t>(stride) * rows);
  }
  JSAMPARRAY planes[3];
  for (JDIMENSION mcuRow = 0; cinfo.output_scanline < cinfo.output_height; ++mcuRow) {
    for (int c = 0; c < 3; ++c) {
      const int rows = static_cast<int>(raw.Rows[c].size());
      uint8_t* base = raw.Keep[c]
                          ? raw.Planes[c].Samples.data() +
                                static_cast<std::size_t>(mcuRow) * rows * raw.Planes[c].Stride
                          : raw.Scratch.data();
      for (int i = 0; i < rows; ++i)
        raw.Rows[c][i] = base + static_cast<std::size_t>(i) * raw.Planes[c].Stride;
      planes[c] = raw.Rows[c].data();
    }
    if (jpeg_read_raw_data(&cinfo, planes, static_cast<JDIMENSION>(blockRows)) == 0)
      ERREXIT(&cinfo, JERR_INPUT_EMPTY);
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

enum class TChroma { chFull, chHalved, chOther };

TChroma ChromaLayout(const jpeg_decompress_struct& cinfo) {
  if (cinfo.jpeg_color_space != JCS_YCbCr || cinfo.num_components != 3) return TChroma::chOther;
  const jpeg_component_info* c = cinfo.comp_info;
  const int h = cinfo.max_h_samp_factor, v = cinfo.max_v_samp_factor;
  if (c[0].h_samp_factor != h || c[0].v_samp_factor != v) return TChroma::chOther;
  for (int i = 1; i < 3; ++i)
    if (c[i].h_samp_factor != c[1].h_samp_factor || c[i].v_samp_factor != c[1].v_samp_factor)
      return TChroma::chOther;
  if (c[1].h_samp_factor == h && c[1].v_samp_factor == v) return TChroma::chFull;
  if (2 * c[1].h_samp_factor == h && 2 * c[1].v_samp_factor == v) return TChroma::chHalved;
  return TChroma::chOther;
}

// libjpeg 9's YCbCr to RGB: 16-bit fixed point, red and blue rounded to the
// nearest integer, green through the sum of two scaled products.
class TYccToRgb {
 public:
  TYccToRgb() {
    for (int i = 0; i < 256; ++i) {
      const int32_t x = i - 128;
      FCrR[i] = static_cast<int>((Fix(1.402) * x + kHalf) >> kBits);
      FCbB[i] = static_cast<int>((Fix(1.772) * x + kHalf) >> kBits);
      FCrG[i] = -Fix(0.714136286) * x;
      FCbG[i] = -Fix(0.344136286) * x + kHalf;
    }
  }

  TsPixel Convert(int y, int cb, int cr) const {
    return TsPixel::FromRGBA(Clamp(y + FCrR[cr]),
                             Clamp(y + static_cast<int>((FCbG[cb] + FCrG[cr]) >> kBits)),
                             Clamp(y + FCbB[cb]), 255);
  }

 private:
  static constexpr int kBits = 16;
  static constexpr int32_t kHalf = int32_t{1} << (kBits - 1);
  static constexpr int32_t Fix(double x) { return static_cast<int32_t>(x * (1 << kBits) + 0.5); }
  static uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

  std::array<int, 256> FCrR{}, FCbB{};
  std::array<int32_t, 256> FCrG{}, FCbG{};
};

void DecodeRawYcc(TJpegPass& first, std::span<const uint8_t> data, TChroma chroma,
                  TDecodedImage& image) {
  TRawPass lumaPass;
  lumaPass.Keep = {true, chroma == TChroma::chFull, chroma == TChroma::chFull};
  if (!JpegReadRaw(first, 1, lumaPass)) first.Throw();
  const TPlane* planes[3] = {&lumaPass.Planes[0], &lumaPass.Planes[1], &lumaPass.Planes[2]};

  TRawPass chromaPass;
  if (chroma == TChroma::chHalved) {
    TJpegPass second;
    if (!JpegReadHeader(second, data)) second.Throw();
    chromaPass.Keep = {false, true, true};
    if (!JpegReadRaw(second, 2, chromaPass)) second.Throw();
    planes[1] = &chromaPass.Planes[1];
    planes[2] = &chromaPass.Planes[2];
  }

  const TYccToRgb convert;
  for (int y = 0; y < image.Height; ++y) {
    const uint8_t* luma = planes[0]->Row(y);
    const uint8_t* cb = planes[1]->Row(y);
    const uint8_t* cr = planes[2]->Row(y);
    TsPixel* out = &image.At(0, y);
    for (int x = 0; x < image.Width; ++x) out[x] = convert.Convert(luma[x], cb[x], cr[x]);
  }
}

}  // namespace

TDecodedImage DecodeJpeg(std::span<const uint8_t> data, const TDecodeLimits& limits) {
  TJpegPass pass;
  if (!JpegReadHeader(pass, data)) pass.Throw();
  const jpeg_decompress_struct& cinfo = pass.Info;
  CheckImageSize("JPEG", cinfo.image_width, cinfo.image_height);
  if (limits.BeforePixels)
    limits.BeforePixels(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height));
  TDecodedImage image;
  image.Format = TImageFormat::ifJpeg;
  image.Width = static_cast<int>(cinfo.image_width);
  image.Height = static_cast<int>(cinfo.image_height);
  image.SourceBitsPerPixel = cinfo.num_components * 8;
  image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height);

  const TChroma chroma = ChromaLayout(cinfo);
  if (chroma != TChroma::chOther) {
    DecodeRawYcc(pass, data, chroma, image);
  } else {
    std::vector<uint8_t> row;
    if (!JpegReadDirect(pass, image, row)) pass.Throw();
  }
  return image;
}

}  // namespace ac::platform
