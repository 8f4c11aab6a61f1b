#include "pixels/blend_fill.h"

#include <gtest/gtest.h>

#include <vector>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;
using test::Hex;
using test::MakeImage;

// Marks which pixels of a w x h image an operation changed, as rows of '#'/'.'.
std::string Changed(const TsPixelBuffer& b, uint32_t background) {
  std::string s;
  for (int32_t y = 0; y < b.Height; ++y) {
    for (int32_t x = 0; x < b.Width; ++x) s += b.At(x, y) == background ? '.' : '#';
    s += '\n';
  }
  return s;
}

TEST(FillPixels, FillsOnlyThePartInsideTheBuffer) {
  struct Case {
    TRect r;
    const char* expect;
  };
  const Case cases[] = {
      {TRect::LTRB(2, 1, 9, 9), "....\n..##\n..##\n"},
      {TRect::LTRB(-5, -5, 1, 1), "#...\n....\n....\n"},
      {TRect::LTRB(0, 0, 4, 3), "####\n####\n####\n"},
      {TRect::LTRB(4, 0, 9, 3), "....\n....\n....\n"},
      {TRect::LTRB(2, 2, 1, 3), "....\n....\n....\n"},
  };
  for (const Case& c : cases) {
    TsPixelImage img(4, 3);
    FillPixels(img, c.r, 0x00A0B0C0, 0x7F);
    EXPECT_EQ(Changed(img, 0), c.expect);
  }
  TsPixelImage img(1, 1);
  FillPixels(img, img.View().Bounds(), 0x00A0B0C0, 0x7F);
  EXPECT_EQ(img.View().At(0, 0), 0x7FC0B0A0u);
}

TEST(TintPixels, DividesByHundredTruncatingTowardZero) {
  // Pixel bytes b=200, g=10, r=100 toward colour r=0, g=255, b=100.
  struct Case {
    int percent;
    uint32_t expect;
  };
  const Case cases[] = {
      // b: 200 - (33 * 100) / 100 = 167; g: 10 - (33 * -245) / 100 = 10 + 80 = 90;
      // r: 100 - (33 * 100) / 100 = 67.
      {33, 0x55435AA7},
      {0, 0x55640AC8},    // colour kept, alpha still set
      {100, 0x5500FF64},  // the colour exactly
      {150, 0x5500FF64},  // clamped to 100
  };
  for (const Case& c : cases) {
    TsPixelImage img = Filled(1, 1, 0xFF640AC8);
    TintPixels(img, img.View().Bounds(), 0x64FF00, 0x55, c.percent);
    EXPECT_EQ(img.View().At(0, 0), c.expect) << c.percent;
  }
  // g: 10 - (1 * -245) / 100 = 10 + 2 (truncated toward zero, not down to 3).
  TsPixelImage img = Filled(1, 1, 0xFF000A00);
  TintPixels(img, img.View().Bounds(), 0x00FF00, 0xFF, 1);
  EXPECT_EQ(img.View().At(0, 0), 0xFF000C00u);
}

TEST(SetAlphaArea, SkipsExcludedRectanglesAndKeyPixels) {
  TsPixelImage img = MakeImage(4, 2,
                               {0x00112233, 0x00FF00FF, 0x00112233, 0x00112233,  //
                                0x00112233, 0x00112233, 0x00112233, 0x00112233});
  const std::vector<TRect> excluded = {TRect::LTRB(2, 0, 4, 1)};
  SetAlphaArea(img, TRect::LTRB(0, 0, 9, 9), 0xC0, excluded, clFuchsia);
  EXPECT_EQ(Hex(img), Hex(4, {0xC0112233, 0x00FF00FF, 0x00112233, 0x00112233, 0xC0112233,
                              0xC0112233, 0xC0112233, 0xC0112233}));
  // clNone switches the key test off.
  SetAlphaArea(img, TRect::LTRB(0, 0, 2, 1), 0x01, {}, clNone);
  EXPECT_EQ(img.View().At(1, 0), 0x01FF00FFu);
}

TEST(FillBands, PaintsFourOpaqueBandsInsideTheRectangle) {
  TsPixelImage img(6, 5);
  FillBands(img, TRect::LTRB(0, 0, 6, 5), 0x0000FF, 1, 1, 2, 1);
  EXPECT_EQ(Changed(img, 0),
            "######\n"
            "#...##\n"
            "#...##\n"
            "#...##\n"
            "######\n");
  EXPECT_EQ(img.View().At(0, 0), 0xFFFF0000u);
}

TEST(FillOutside, FillsAroundTheInnerRectangle) {
  TsPixelImage img(5, 4);
  FillOutside(img, TRect::LTRB(0, 0, 5, 4), TRect::LTRB(1, 1, 3, 3), 0x010203, 0x20);
  EXPECT_EQ(Changed(img, 0),
            "#####\n"
            "#..##\n"
            "#..##\n"
            "#####\n");
  EXPECT_EQ(img.View().At(4, 3), 0x20030201u);
}

TEST(FadeToColor, UsesAnInclusiveRectangleClampedToTheBuffer) {
  {
    // (0, 0, Width, Height) processes exactly the whole buffer.
    TsPixelImage img = Filled(3, 2, 0x80FFFFFF);
    FadeToColor(img, TSourceRect{0, 0, 3, 2}, 255, 0);
    EXPECT_EQ(Changed(img, 0x80FFFFFF), "###\n###\n");
    EXPECT_EQ(img.View().At(2, 1), 0x80FEFEFEu);  // (255 * 255) >> 8, alpha kept
  }
  {
    // (0, 0, 10, 10) on a larger buffer processes 11 x 11 pixels.
    TsPixelImage img = Filled(12, 12, 0xFF000000);
    FadeToColor(img, TSourceRect{0, 0, 10, 10}, 0, 0xFFFFFF);
    int changed = 0;
    for (uint32_t p : test::Pixels(img)) changed += p != 0xFF000000u;
    EXPECT_EQ(changed, 121);
    EXPECT_EQ(img.View().At(10, 10), 0xFFFEFEFEu);
    EXPECT_EQ(img.View().At(11, 10), 0xFF000000u);
  }
  {
    TsPixelImage img = Filled(3, 1, 0xFF000000);
    FadeToColor(img, TSourceRect{-4, -4, 0, 0}, 128, 0x0000FF);
    // red: (0 * 128 + 255 * 127) >> 8 = 126.
    EXPECT_EQ(Hex(img), Hex(3, {0xFF7E0000, 0xFF000000, 0xFF000000}));
  }
}

TEST(TintAllButKey, SkipsOnlyExactKeyPixels) {
  TsPixelImage img = MakeImage(3, 1, {0x00FF00FF, 0xFFFF00FF, 0x40102030});
  TintAllButKey(img, 100, 0x000000);
  // (c * 100) >> 8: 255 -> 99, 0x10 -> 6, 0x20 -> 12, 0x30 -> 18.
  EXPECT_EQ(Hex(img), Hex(3, {0x00FF00FF, 0xFF630063, 0x40060C12}));
}

TEST(ColorizeByMask, MixesEachChannelByTheMaskByte) {
  TsPixelImage dst = MakeImage(2, 1, {0x7F0080FF, 0x11FFFFFF});
  TsPixelImage mask = MakeImage(2, 1, {0x00FF8000, 0xFF000000});
  // TColor 0x102030: red 0x30, green 0x20, blue 0x10.
  ColorizeByMask(dst, mask, 0x102030);
  // pixel 0: b: (255 * 0 + 16 * 256) >> 8 = 0x10; g: (128 * 128 + 32 * 128) >> 8 = 80;
  //          r: (0 * 255 + 48 * 1) >> 8 = 0.
  EXPECT_EQ(Hex(dst), Hex(2, {0x7F005010, 0x11302010}));
  TsPixelImage other(3, 1);
  ColorizeByMask(dst, other, 0);  // size mismatch: nothing
  EXPECT_EQ(dst.View().At(0, 0), 0x7F005010u);
}

}  // namespace
}  // namespace ac
