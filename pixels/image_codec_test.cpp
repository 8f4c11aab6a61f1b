// Runs in both builds: natively against libpng and libjpeg, in the Windows
// build against the system codecs under Wine. Both must give the pixels
// recorded in testdata/images/*.bgra (see make_images.cpp there), which is
// what makes the two builds agree pixel for pixel.

#include "pixels/image_codec.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "core/errors.h"

namespace ac::platform {
namespace {

std::vector<uint8_t> ReadFixture(const std::string& name) {
  const std::string path = std::string(AC_SOURCE_DIR) + "/testdata/images/" + name;
  std::ifstream f(path, std::ios::binary);
  EXPECT_TRUE(f) << "cannot open " << path;
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

struct TExpected {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Bgra;
};

TExpected ReadExpected(const std::string& name) {
  const std::vector<uint8_t> raw = ReadFixture(name.substr(0, name.rfind('.')) + ".bgra");
  TExpected e;
  if (raw.size() < 8) return e;
  auto u32 = [&](std::size_t at) {
    return static_cast<int>(raw[at] | raw[at + 1] << 8 | raw[at + 2] << 16 | raw[at + 3] << 24);
  };
  e.Width = u32(0);
  e.Height = u32(4);
  e.Bgra.assign(raw.begin() + 8, raw.end());
  return e;
}

std::string Hex(uint32_t v) {
  char text[12];
  std::snprintf(text, sizeof text, "%08X", v);
  return text;
}

struct TFixture {
  const char* Name;
  TImageFormat Format;
  int SourceBits;
};

// Same layout as the recorded .bgra files, so the two can be compared.
void WriteDump(const std::string& path, const TDecodedImage& image) {
  std::ofstream f(path, std::ios::binary);
  const uint32_t size[2] = {static_cast<uint32_t>(image.Width),
                            static_cast<uint32_t>(image.Height)};
  f.write(reinterpret_cast<const char*>(size), sizeof size);
  f.write(reinterpret_cast<const char*>(image.Pixels.data()),
          static_cast<std::streamsize>(image.Pixels.size() * 4));
}

void PrintTo(const TFixture& fx, std::ostream* os) {
  *os << fx.Name;
}

class DecodeFixture : public testing::TestWithParam<TFixture> {};

TEST_P(DecodeFixture, GivesTheRecordedPixels) {
  const TFixture& fx = GetParam();
  const TExpected expected = ReadExpected(fx.Name);
  TDecodedImage image = DecodeImage(ReadFixture(fx.Name));
  EXPECT_EQ(image.Format, fx.Format);
  EXPECT_EQ(image.SourceBitsPerPixel, fx.SourceBits);
  ASSERT_EQ(image.Width, expected.Width);
  ASSERT_EQ(image.Height, expected.Height);
  ASSERT_EQ(image.Pixels.size() * 4, expected.Bgra.size());
  int mismatches = 0;
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x) {
      const uint8_t* e = &expected.Bgra[(static_cast<std::size_t>(y) * image.Width + x) * 4];
      const uint32_t want = e[0] | e[1] << 8 | e[2] << 16 | static_cast<uint32_t>(e[3]) << 24;
      const uint32_t got = image.At(x, y).V;
      if (got != want && ++mismatches <= 8)
        ADD_FAILURE() << fx.Name << " pixel (" << x << ", " << y << "): got " << Hex(got)
                      << ", want " << Hex(want);
    }
  EXPECT_EQ(mismatches, 0);
  if (mismatches > 0) {
    const std::string path = std::string(fx.Name) + ".actual.bgra";
    WriteDump(path, image);
    ADD_FAILURE() << "decoded pixels written to " << path << " in the working folder";
  }
}

constexpr TImageFormat kPng = TImageFormat::ifPng;
constexpr TImageFormat kBmp = TImageFormat::ifBmp;
constexpr TImageFormat kJpeg = TImageFormat::ifJpeg;

const TFixture kFixtures[] = {
    {"png_palette8.png", kPng, 8},
    {"png_palette4_trns.png", kPng, 4},
    {"png_palette1.png", kPng, 1},
    {"png_palette2_trns_interlaced.png", kPng, 2},
    {"png_palette8_trns_interlaced.png", kPng, 8},
    {"png_grey1.png", kPng, 1},
    {"png_grey2_trns.png", kPng, 2},
    {"png_grey4.png", kPng, 4},
    {"png_grey8.png", kPng, 8},
    {"png_grey8_trns.png", kPng, 8},
    {"png_grey8_interlaced.png", kPng, 8},
    {"png_grey16.png", kPng, 16},
    {"png_grey16_trns.png", kPng, 16},
    {"png_grey_alpha8.png", kPng, 16},
    {"png_grey_alpha16.png", kPng, 32},
    {"png_rgb8.png", kPng, 24},
    {"png_rgb8_trns.png", kPng, 24},
    {"png_rgb16.png", kPng, 48},
    {"png_rgb16_trns.png", kPng, 48},
    {"png_rgb16_interlaced.png", kPng, 48},
    {"png_rgba8.png", kPng, 32},
    {"png_rgba8_interlaced.png", kPng, 32},
    {"png_rgba16.png", kPng, 64},
    {"jpeg_baseline_420.jpg", kJpeg, 24},
    {"jpeg_baseline_444.jpg", kJpeg, 24},
    {"jpeg_progressive.jpg", kJpeg, 24},
    {"jpeg_grey.jpg", kJpeg, 8},
    {"jpeg_noise_444.jpg", kJpeg, 24},
    {"jpeg_noise_420.jpg", kJpeg, 24},
    {"bmp1.bmp", kBmp, 1},
    {"bmp4.bmp", kBmp, 4},
    {"bmp4_topdown.bmp", kBmp, 4},
    {"bmp4_rle.bmp", kBmp, 4},
    {"bmp8.bmp", kBmp, 8},
    {"bmp8_topdown.bmp", kBmp, 8},
    {"bmp8_core.bmp", kBmp, 8},
    {"bmp8_rle.bmp", kBmp, 8},
    {"bmp16_555.bmp", kBmp, 16},
    {"bmp16_565.bmp", kBmp, 16},
    {"bmp24.bmp", kBmp, 24},
    {"bmp24_topdown.bmp", kBmp, 24},
    {"bmp32.bmp", kBmp, 32},
    {"bmp32_topdown.bmp", kBmp, 32},
    {"bmp32_v5_bitfields.bmp", kBmp, 32},
};

std::string FixtureName(const testing::TestParamInfo<TFixture>& info) {
  std::string name = info.param.Name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DecodeFixture, testing::ValuesIn(kFixtures), FixtureName);

// The loader keys colour differently for images that arrive with their own
// alpha; which those are is a property of format and depth.
TEST(DecodeImage, TellsWhichImagesArriveWith32Bits) {
  EXPECT_TRUE(DecodeImage(ReadFixture("png_grey8.png")).ArrivedWith32Bits());
  EXPECT_TRUE(DecodeImage(ReadFixture("bmp32.bmp")).ArrivedWith32Bits());
  EXPECT_FALSE(DecodeImage(ReadFixture("bmp24.bmp")).ArrivedWith32Bits());
  EXPECT_FALSE(DecodeImage(ReadFixture("jpeg_baseline_420.jpg")).ArrivedWith32Bits());
}

// The message names the format, so the user learns which kind of file is bad.
void ExpectFailure(std::vector<uint8_t> data, const std::string& prefix) {
  try {
    DecodeImage(data);
    ADD_FAILURE() << "no error; expected one beginning \"" << prefix << "\"";
  } catch (const ESkinError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(prefix, 0), 0u) << e.what();
  }
}

TEST(DecodeImage, RefusesTruncatedFiles) {
  for (const TFixture& fx : kFixtures) {
    SCOPED_TRACE(fx.Name);
    const std::vector<uint8_t> whole = ReadFixture(fx.Name);
    const char* prefix = fx.Format == kPng   ? "PNG image"
                         : fx.Format == kBmp ? "BMP image"
                                             : "JPEG image";
    for (std::size_t keep : {std::size_t{10}, std::size_t{30}, whole.size() / 2}) {
      SCOPED_TRACE(keep);
      ExpectFailure({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep)}, prefix);
    }
  }
}

// A PNG whose header claims more pixels than any image may have is refused
// by its size, named as such, before its data is looked at.
TEST(DecodeImage, NamesTheSizeOfAnOversizedPng) {
  for (auto [w, h] :
       {std::pair{100000u, 100000u}, std::pair{32769u, 1u}, std::pair{8192u, 4096u}}) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (uint32_t v : {w, h})
      for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<uint8_t>(v >> shift));
    png.insert(png.end(), {8, 6, 0, 0, 0});
    const uLong crc = crc32(0, png.data() + 12, 17);
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<uint8_t>(crc >> shift));
    const std::string size = std::to_string(w) + " x " + std::to_string(h) + " pixels";
    try {
      DecodeImage(png);
      ADD_FAILURE() << size;
    } catch (const ELimitExceeded& e) {
      EXPECT_EQ(std::string(e.what()), "PNG image: " + size +
                                           " is over the limit of 32768 pixels a side and 16777216 "
                                           "pixels an image");
    }
  }
}

// A size the caller refuses stops the decode before any pixel is read.
TEST(DecodeImage, TheCallerSeesTheSizeBeforeThePixels) {
  for (const char* name : {"png_rgba8.png", "bmp24.bmp", "jpeg_baseline_420.jpg"}) {
    TDecodeLimits limits;
    int seenW = 0, seenH = 0;
    limits.BeforePixels = [&](int w, int h) {
      seenW = w;
      seenH = h;
      throw ELimitExceeded("refused");
    };
    EXPECT_THROW(DecodeImage(ReadFixture(name), limits), ELimitExceeded) << name;
    const TDecodedImage whole = DecodeImage(ReadFixture(name));
    EXPECT_EQ(seenW, whole.Width) << name;
    EXPECT_EQ(seenH, whole.Height) << name;
  }
}

#ifndef _WIN32
// A grey progressive JPEG of one DC scan followed by Scans empty AC scans of
// the same band, which decoders only warn about; each makes libjpeg visit
// every block again.
std::vector<uint8_t> JpegOfManyScans(int scans) {
  std::vector<uint8_t> out = {0xFF, 0xD8};
  auto segment = [&](uint8_t marker, std::vector<uint8_t> payload) {
    out.insert(out.end(), {0xFF, marker, static_cast<uint8_t>((payload.size() + 2) >> 8),
                           static_cast<uint8_t>(payload.size() + 2)});
    out.insert(out.end(), payload.begin(), payload.end());
  };
  std::vector<uint8_t> dqt(65, 1);
  dqt[0] = 0;
  segment(0xDB, dqt);
  segment(0xC2, {8, 0, 64, 0, 64, 1, 1, 0x11, 0});
  std::vector<uint8_t> dht = {0x00, 1};
  dht.resize(17, 0);
  dht.push_back(0);
  std::vector<uint8_t> both = dht;
  both.push_back(0x10);
  both.insert(both.end(), dht.begin() + 1, dht.end());
  segment(0xC4, both);
  segment(0xDA, {1, 1, 0, 0, 0, 0});
  for (int i = 0; i < scans; ++i) segment(0xDA, {1, 1, 0, 1, 63, 0});
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

TEST(DecodeImage, StopsAJpegOfTooManyScans) {
  EXPECT_EQ(DecodeImage(JpegOfManyScans(kMaxJpegScans - 1)).Width, 64);
  try {
    DecodeImage(JpegOfManyScans(kMaxJpegScans + 50));
    ADD_FAILURE();
  } catch (const ELimitExceeded& e) {
    EXPECT_STREQ(e.what(), "JPEG image: more than the limit of 100 scans");
  }
}
#endif

// A baseline JPEG cut just before its end marker still holds every pixel,
// but the Windows codec refuses it, so both builds do.
TEST(DecodeImage, RefusesAJpegWithoutItsEndMarker) {
  std::vector<uint8_t> jpeg = ReadFixture("jpeg_baseline_420.jpg");
  ASSERT_GE(jpeg.size(), 2u);
  ASSERT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  ASSERT_EQ(jpeg[jpeg.size() - 1], 0xD9);
  jpeg.resize(jpeg.size() - 2);
  ExpectFailure(jpeg, "JPEG image");
}

TEST(DecodeImage, RefusesUnknownData) {
  ExpectFailure({}, "Unknown image format");
  ExpectFailure({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "Unknown image format");
}

TEST(DecodeImage, RefusesGarbageAfterTheSignature) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF};
  for (int i = 0; i < 200; ++i) {
    png.push_back(static_cast<uint8_t>(i * 37));
    jpeg.push_back(static_cast<uint8_t>(i * 53));
  }
  ExpectFailure(png, "PNG image");
  ExpectFailure(jpeg, "JPEG image");
}

// A PNG whose header alone claims a huge image: refused before the pixels
// are allocated.
std::vector<uint8_t> PngWithHeader(uint32_t width, uint32_t height) {
  std::vector<uint8_t> png;
  png.reserve(33);
  auto put = [&](std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) png.push_back(b);
  };
  auto put32 = [&](uint32_t v) {
    for (int i = 3; i >= 0; --i) png.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  put32(13);
  const std::size_t type = png.size();
  put({'I', 'H', 'D', 'R'});
  put32(width);
  put32(height);
  put({8, 6, 0, 0, 0});  // 8-bit RGBA
  put32(static_cast<uint32_t>(crc32(0, png.data() + type, static_cast<uInt>(png.size() - type))));
  return png;
}

TEST(DecodeImage, RefusesHugeDimensions) {
  ExpectFailure(PngWithHeader(30000, 30000), "PNG image");
  ExpectFailure(PngWithHeader(100000, 1), "PNG image");
  // The same header with a sane size fails only for want of image data.
  ExpectFailure(PngWithHeader(4, 4), "PNG image");
}

TEST(EncodePng, RoundTripsEveryByte) {
  TDecodedImage image;
  image.Width = 7;
  image.Height = 3;
  for (uint32_t i = 0; i < 21; ++i) image.Pixels.push_back(TsPixel(0x01020304u * (i + 1) + i));
  image.Pixels[5] = TsPixel(0x00FF00FFu);  // transparent key: colour kept under alpha 0
  const TDecodedImage back = DecodeImage(EncodePng(image));
  EXPECT_EQ(back.Format, kPng);
  ASSERT_EQ(back.Width, 7);
  ASSERT_EQ(back.Height, 3);
  for (std::size_t i = 0; i < image.Pixels.size(); ++i)
    EXPECT_EQ(Hex(back.Pixels[i].V), Hex(image.Pixels[i].V)) << i;
}

TEST(EncodePng, RefusesAnEmptyImage) {
  EXPECT_THROW(EncodePng(TDecodedImage{}), ESkinError);
}

}  // namespace
}  // namespace ac::platform
