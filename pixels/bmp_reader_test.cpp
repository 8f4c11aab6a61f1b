// The reader's handling of odd and hostile files. Ordinary images of every
// depth are covered by the decoder fixtures in testdata/images.

#include "pixels/bmp_reader.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <string>

#include "core/errors.h"

namespace ac {
namespace {

// A BMP with a BITMAPINFOHEADER, built field by field so a test can break one.
struct TBmpBuilder {
  int32_t Width = 2;
  int32_t Height = 2;
  uint16_t BitCount = 24;
  uint32_t Compression = 0;
  uint32_t ColorsUsed = 0;
  uint32_t HeaderSize = 40;
  std::vector<uint32_t> Masks;    // written after the header
  std::vector<uint32_t> Palette;  // B, G, R, 0 as a little-endian word
  std::vector<uint8_t> Pixels;
  int64_t OffsetOverride = -1;  // the file header's pixel offset

  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> f = {'B', 'M'};
    auto put32 = [&](uint32_t v) {
      for (int i = 0; i < 4; ++i) f.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) {
      f.push_back(static_cast<uint8_t>(v));
      f.push_back(static_cast<uint8_t>(v >> 8));
    };
    const uint32_t offset =
        static_cast<uint32_t>(14 + HeaderSize + 4 * (Masks.size() + Palette.size()));
    put32(offset + static_cast<uint32_t>(Pixels.size()));
    put32(0);
    put32(OffsetOverride >= 0 ? static_cast<uint32_t>(OffsetOverride) : offset);
    put32(HeaderSize);
    put32(static_cast<uint32_t>(Width));
    put32(static_cast<uint32_t>(Height));
    put16(1);
    put16(BitCount);
    put32(Compression);
    put32(0);
    put32(0);
    put32(0);
    put32(ColorsUsed);
    put32(0);
    f.resize(14 + HeaderSize, 0);
    for (uint32_t m : Masks) put32(m);
    for (uint32_t p : Palette) put32(p);
    f.insert(f.end(), Pixels.begin(), Pixels.end());
    return f;
  }
};

std::string ErrorOf(const std::vector<uint8_t>& data) {
  try {
    ReadBmp(data);
  } catch (const ESkinError& e) {
    return e.what();
  }
  return "(no error)";
}

struct TBadCase {
  const char* Name;
  // Breaks the default builder (two 24-bit pixels by two rows) and builds.
  std::vector<uint8_t> (*Make)(TBmpBuilder b);
  const char* Message;
};

const TBadCase kBadCases[] = {
    {"signature",
     [](TBmpBuilder b) {
       auto f = b.Build();
       f[0] = 'X';
       return f;
     },
     "no \"BM\""},
    {"header size",
     [](TBmpBuilder b) {
       b.HeaderSize = 20;
       return b.Build();
     },
     "unknown header size 20"},
    {"zero width",
     [](TBmpBuilder b) {
       b.Width = 0;
       return b.Build();
     },
     "empty"},
    {"negative width",
     [](TBmpBuilder b) {
       b.Width = -3;
       return b.Build();
     },
     "empty"},
    {"zero height",
     [](TBmpBuilder b) {
       b.Height = 0;
       return b.Build();
     },
     "empty"},
    {"most negative height",
     [](TBmpBuilder b) {
       b.Height = INT32_MIN;
       return b.Build();
     },
     "too large"},
    {"wide",
     [](TBmpBuilder b) {
       b.Width = kMaxImageSide + 1;
       return b.Build();
     },
     "too large"},
    {"many pixels",
     [](TBmpBuilder b) {
       b.Width = 20000;
       b.Height = 20000;
       return b.Build();
     },
     "too large"},
    {"bit count 2",
     [](TBmpBuilder b) {
       b.BitCount = 2;
       return b.Build();
     },
     "unsupported bit count 2"},
    {"embedded JPEG",
     [](TBmpBuilder b) {
       b.Compression = 4;
       return b.Build();
     },
     "unsupported compression 4"},
    {"run length at 24 bits",
     [](TBmpBuilder b) {
       b.Compression = 1;
       return b.Build();
     },
     "run-length code and bit count differ"},
    {"run length top-down",
     [](TBmpBuilder b) {
       b.BitCount = 8;
       b.Compression = 1;
       b.Height = -2;
       return b.Build();
     },
     "top-down"},
    {"bit fields at 24 bits",
     [](TBmpBuilder b) {
       b.Compression = 3;
       b.Masks = {0xFF0000, 0xFF00, 0xFF};
       return b.Build();
     },
     "bit fields with bit count 24"},
    {"split bit field",
     [](TBmpBuilder b) {
       b.BitCount = 16;
       b.Compression = 3;
       b.Masks = {0x0F0F, 0x00F0, 0x0000};
       return b.Build();
     },
     "not contiguous"},
    {"pixel data one byte short",
     [](TBmpBuilder b) {
       b.Pixels.resize(8 + 6 - 1);  // the last row needs no padding, but all its bytes
       return b.Build();
     },
     "truncated pixel data"},
    {"palette cut off",
     [](TBmpBuilder b) {
       b.BitCount = 8;
       b.ColorsUsed = 200;
       return b.Build();
     },
     "truncated file"},
    {"run length without end",
     [](TBmpBuilder b) {
       b.BitCount = 8;
       b.Compression = 1;
       b.ColorsUsed = 1;
       b.Palette = {0};
       b.Pixels = {2, 0, 0, 0, 2, 0};  // one row, then the data stops
       return b.Build();
     },
     "truncated file"},
};

class BmpReaderRefuses : public testing::TestWithParam<TBadCase> {};

TEST_P(BmpReaderRefuses, WithAMessageThatSaysWhy) {
  TBmpBuilder b;
  b.Pixels.assign(16, 0);
  const std::string error = ErrorOf(GetParam().Make(b));
  EXPECT_EQ(error.rfind("BMP image: ", 0), 0u) << error;
  EXPECT_NE(error.find(GetParam().Message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(Cases, BmpReaderRefuses, testing::ValuesIn(kBadCases),
                         [](const testing::TestParamInfo<TBadCase>& p) {
                           std::string name = p.param.Name;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST(BmpReader, RefusesEveryPrefixOfAValidFile) {
  TBmpBuilder b;
  b.BitCount = 8;
  b.Palette = {0x000000FF, 0x0000FF00};
  b.ColorsUsed = 2;
  b.Pixels = {0, 1, 0, 0, 1, 0};  // the last row carries no padding
  const std::vector<uint8_t> file = b.Build();
  ASSERT_NO_THROW(ReadBmp(file));
  for (std::size_t n = 0; n < file.size(); ++n)
    EXPECT_THROW(ReadBmp({file.data(), n}), ESkinError) << n << " bytes";
}

uint32_t Px(const TBmpImage& image, int x, int y) {
  return image.Pixels[static_cast<std::size_t>(y) * image.Width + x].V;
}

TEST(BmpReader, ShowsIndexesBeyondThePaletteAsBlack) {
  TBmpBuilder b;
  b.BitCount = 8;
  b.ColorsUsed = 1;
  b.Palette = {0x00112233};
  b.Pixels = {0, 7, 0, 0, 0, 255, 0, 0};
  const TBmpImage image = ReadBmp(b.Build());
  EXPECT_EQ(Px(image, 0, 1), 0xFF112233u);  // bottom-up: the first file row is the last
  EXPECT_EQ(Px(image, 1, 1), 0xFF000000u);
  EXPECT_EQ(Px(image, 1, 0), 0xFF000000u);
}

// Some writers leave the pixel offset zero; the pixels then follow the palette.
TEST(BmpReader, TakesPixelsAfterThePaletteWhenTheOffsetIsUnusable) {
  for (int64_t offset : {int64_t{0}, int64_t{1} << 31}) {
    TBmpBuilder b;
    b.Height = -1;
    b.Width = 1;
    b.OffsetOverride = offset;
    b.Pixels = {0x10, 0x20, 0x30};
    EXPECT_EQ(Px(ReadBmp(b.Build()), 0, 0), 0xFF302010u) << offset;
  }
}

TEST(BmpReader, KeepsTheFourthByteOfPlain32BitPixels) {
  TBmpBuilder b;
  b.Width = 1;
  b.Height = -2;
  b.BitCount = 32;
  b.HeaderSize = 124;  // a V5 header: its masks do not apply without bit fields
  b.Pixels = {0xFF, 0x00, 0xFF, 0xFF, 0x01, 0x02, 0x03, 0x00};
  const TBmpImage image = ReadBmp(b.Build());
  EXPECT_EQ(image.BitsPerPixel, 32);
  EXPECT_EQ(Px(image, 0, 0), 0xFFFF00FFu);
  EXPECT_EQ(Px(image, 0, 1), 0x00030201u);
}

// Narrow fields repeat their bits downwards, so their full scale is 255.
TEST(BmpReader, WidensNarrowBitFields) {
  TBmpBuilder b;
  b.Width = 2;
  b.Height = 1;
  b.BitCount = 16;
  b.Compression = 3;
  b.Masks = {0x0007, 0x0038, 0x3FC0};   // red 3 bits, green 3 bits, blue 8 bits
  b.Pixels = {0x05, 0x00, 0xFF, 0x3F};  // red 5, all fields full
  const TBmpImage image = ReadBmp(b.Build());
  EXPECT_EQ(Px(image, 0, 0), 0xFFB60000u);  // 101 -> 10110110
  EXPECT_EQ(Px(image, 1, 0), 0xFFFFFFFFu);
}

TEST(BmpReader, TakesAlphaFromAnAlphaBitField) {
  TBmpBuilder b;
  b.Width = 1;
  b.Height = 1;
  b.BitCount = 32;
  b.Compression = 6;  // BI_ALPHABITFIELDS: four masks after the header
  b.Masks = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
  b.Pixels = {0x44, 0x33, 0x22, 0x11};  // R 11, G 22, B 33, A 44
  EXPECT_EQ(Px(ReadBmp(b.Build()), 0, 0), 0x44112233u);
}

// Runs and deltas that point past the row or the image are cut off, never
// written outside the pixels.
TEST(BmpReader, CutsRunLengthDataThatOverrunsTheImage) {
  TBmpBuilder b;
  b.Width = 3;
  b.Height = 2;
  b.BitCount = 8;
  b.Compression = 1;
  b.ColorsUsed = 2;
  b.Palette = {0x000000FF, 0x0000FF00};
  b.Pixels = {255, 1,           // a run far past the row's end
              0,   2, 200, 0,   // a delta far to the right
              0,   0,           // end of row
              0,   2, 0,   9,   // a delta far beyond the top
              2,   1, 0,   1};  // end of bitmap (never reached)
  const TBmpImage image = ReadBmp(b.Build());
  EXPECT_EQ(Px(image, 0, 1), 0xFF00FF00u);
  EXPECT_EQ(Px(image, 2, 1), 0xFF00FF00u);
  EXPECT_EQ(Px(image, 0, 0), 0xFF000000u);
}

}  // namespace
}  // namespace ac
