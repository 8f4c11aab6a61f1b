#include "pixels/blend_channel.h"

#include <gtest/gtest.h>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Hex;
using test::MakeImage;

TEST(Luminance, RoundsHalfToEven) {
  struct Case {
    uint32_t r, g, b, expect;
  };
  const Case cases[] = {
      {255, 0, 0, 76},   // 76.245
      {0, 255, 0, 150},  // 149.685
      {0, 0, 255, 29},   // 29.07
      {1, 123, 0, 72},   // 72.5 to even
      {9, 107, 0, 66},   // 65.5 to even
      {255, 255, 255, 255},
  };
  for (const Case& c : cases) EXPECT_EQ(Luminance(c.r, c.g, c.b), c.expect);
}

TEST(MakeGray, GreysColourBytesKeepsAlphaAndSkipsTheKey) {
  TsPixelImage img = MakeImage(3, 1, {0xAA0000FF, 0x00FF00FF, 0x01017B00});
  MakeGray(img);
  EXPECT_EQ(Hex(img), Hex(3, {0xAA1D1D1D, 0x00696969, 0x01484848}));
  TsPixelImage keyed = MakeImage(3, 1, {0xAA0000FF, 0x00FF00FF, 0xFFFF00FF});
  MakeGrayKeyed(keyed, clFuchsia);
  EXPECT_EQ(Hex(keyed), Hex(3, {0xAA1D1D1D, 0x00FF00FF, 0xFF696969}));
}

TEST(CopyChannel, CopiesOneByteOverTheCommonArea) {
  TsPixelImage dst = MakeImage(2, 2, {0x11111111, 0x11111111, 0x11111111, 0x11111111});
  TsPixelImage src = MakeImage(1, 3, {0xAABBCCDD, 0x01020304, 0x05060708});
  CopyChannel(dst, src, 3);
  EXPECT_EQ(Hex(dst), Hex(2, {0xAA111111, 0x11111111, 0x01111111, 0x11111111}));
  CopyChannel(dst, src, 4);  // no such channel
  EXPECT_EQ(dst.View().At(0, 0), 0xAA111111u);
}

TEST(ExtractAndInsertChannel, MoveOneByteThroughAnEightBitImage) {
  TsPixelImage img = MakeImage(2, 1, {0xAABBCCDD, 0x01020304});
  TsChannelImage ch(2, 1);
  ExtractChannel(ch, img, 1);
  EXPECT_EQ(ch.View().Row(0)[0], 0xCC);
  EXPECT_EQ(ch.View().Row(0)[1], 0x03);
  InsertChannel(img, ch, 3);
  EXPECT_EQ(Hex(img), Hex(2, {0xCCBBCCDD, 0x03020304}));
  TsChannelImage wrong(1, 1);
  InsertChannel(img, wrong, 0);
  EXPECT_EQ(img.View().At(0, 0), 0xCCBBCCDDu);
}

TEST(ForEachPixel, SkipsOnlyExactTransparentMagenta) {
  TsPixelImage img = MakeImage(3, 1, {0x00FF00FF, 0xFFFF00FF, 0x12345678});
  int calls = 0;
  ForEachPixel(
      img,
      [&](uint32_t& p) {
        ++calls;
        p |= 0xFF000000u;
      },
      clFuchsia);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(Hex(img), Hex(3, {0x00FF00FF, 0xFFFF00FF, 0xFF345678}));
  calls = 0;
  ForEachPixel(
      img, [&](uint32_t&) { ++calls; }, clNone);
  EXPECT_EQ(calls, 3);
}

TEST(ForEachPixel, ComparesWithTheSkipColourInPixelOrder) {
  // clRed ($0000FF) is the pixel $00FF0000.
  TsPixelImage img = MakeImage(2, 1, {0x00FF0000, 0x000000FF});
  int calls = 0;
  ForEachPixel(
      img, [&](uint32_t&) { ++calls; }, 0x0000FF);
  EXPECT_EQ(calls, 1);
}

TEST(OpaqueByCornerKey, MakesNonKeyPixelsOpaqueWhenThereIsNoAlpha) {
  TsPixelImage img = MakeImage(2, 2, {0x00123456, 0x00FFFFFF, 0x00FFFFFF, 0x00000000});
  OpaqueByCornerKey(img);
  EXPECT_EQ(Hex(img), Hex(2, {0xFF123456, 0x00FFFFFF, 0x00FFFFFF, 0xFF000000}));
  TsPixelImage alpha = MakeImage(2, 1, {0x01123456, 0x00FFFFFF});
  OpaqueByCornerKey(alpha);
  EXPECT_EQ(Hex(alpha), Hex(2, {0x01123456, 0x00FFFFFF}));
}

}  // namespace
}  // namespace ac
