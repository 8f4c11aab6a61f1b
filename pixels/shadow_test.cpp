#include "pixels/shadow.h"

#include <gtest/gtest.h>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

constexpr TColor kShadow = static_cast<TColor>(0x80102030);  // darkness 128

TEST(MakeShadowTemplate, HasTheStretchedDiscSize) {
  TsPixelImage img = MakeShadowTemplate(
      {.Color = kShadow, .Radius = 3, .TopOffset = 1, .ExtraWidth = 2, .ExtraHeight = 1});
  EXPECT_EQ(img.Width(), 9);   // 2 * 3 + 2 + 1
  EXPECT_EQ(img.Height(), 9);  // 2 * 3 + 1 + 1 + 1
  EXPECT_TRUE(MakeShadowTemplate({.Color = kShadow, .Radius = -1}).IsEmpty());
}

TEST(MakeShadowTemplate, ColouredFadesAlphaFromTheCentre) {
  TsPixelImage img = MakeShadowTemplate(
      {.Color = kShadow, .Radius = 3, .TopOffset = 1, .ExtraWidth = 2, .ExtraHeight = 1});
  const TsPixelBuffer& b = img.View();
  EXPECT_EQ(b.At(0, 0), 0x00302010u);  // above the disc: the colour at alpha 0
  EXPECT_EQ(b.At(0, 1), 0u);           // outside the disc
  EXPECT_EQ(b.At(3, 4), 0x7F302010u);  // centre: k = 255, (128 * 255) >> 8
  // d = 1: k = Round(3 * (1 - 1/3) / 3 * 255) = 170, alpha (128 * 170) >> 8 = 85.
  EXPECT_EQ(b.At(2, 4), 0x55302010u);
  // Mirrored and stretched: centre column repeated, right half the left's mirror.
  for (int32_t y = 0; y < 9; ++y) {
    EXPECT_EQ(b.At(3, y), b.At(4, y));
    EXPECT_EQ(b.At(3, y), b.At(5, y));
    EXPECT_EQ(b.At(2, y), b.At(6, y));
    EXPECT_EQ(b.At(0, y), b.At(8, y));
  }
  for (int32_t x = 0; x < 9; ++x) {
    EXPECT_EQ(b.At(x, 4), b.At(x, 5));  // centre row repeated once
    EXPECT_EQ(b.At(x, 3), b.At(x, 6));
    EXPECT_EQ(b.At(x, 1), b.At(x, 8));
  }
}

TEST(MakeShadowTemplate, WhiteModeGivesOpaqueGreys) {
  TsPixelImage img =
      MakeShadowTemplate({.Color = kShadow, .Radius = 3, .Blur = 1, .Mode = TShadowMode::White});
  const TsPixelBuffer& b = img.View();
  EXPECT_EQ(b.At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(b.At(3, 3), 0xFF7F7F7Fu);  // (255 * 0 + 128 * 255) >> 8
  // d = 2 <= inner radius 2: still full.
  EXPECT_EQ(b.At(1, 3), 0xFF7F7F7Fu);
  // d = 3: k = Round((1 - 1/2) * 255 * 1 / 2) = Round(63.75) = 64;
  // level (255 * 191 + 128 * 64) >> 8 = 222.
  EXPECT_EQ(b.At(0, 3), 0xFFDEDEDEu);
}

TEST(MakeShadowTemplate, PremultipliedRunsPremultiply) {
  TsPixelImage img = MakeShadowTemplate({.Color = kShadow,
                                         .Radius = 3,
                                         .TopOffset = 1,
                                         .ExtraWidth = 2,
                                         .ExtraHeight = 1,
                                         .Alpha = TShadowAlpha::Premultiplied});
  EXPECT_EQ(img.View().At(3, 4), 0x7F170F07u);
}

TEST(PaintSideShadow, FadesColourToTransparentPerSide) {
  constexpr TColor kColour = static_cast<TColor>(0x80FFFFFF);
  auto alphaAlong = [](int32_t side) {
    const bool across = side == 0 || side == 2;
    TsPixelImage img(across ? 5 : 1, across ? 1 : 5);
    PaintSideShadow(img, kColour, side);
    std::vector<uint32_t> a;
    for (uint32_t p : test::Pixels(img)) {
      // The colour stays near white: only the faint alpha-1 black fill under the
      // most transparent end pulls it down a little.
      EXPECT_GE(p & 0xFF, 240u);
      a.push_back(p >> 24);
    }
    return a;
  };
  for (int32_t side : {0, 1}) {
    const auto a = alphaAlong(side);
    EXPECT_LE(a.front(), 128u);
    for (std::size_t i = 1; i < a.size(); ++i) EXPECT_LT(a[i], a[i - 1]) << side;
  }
  for (int32_t side : {2, 3}) {
    const auto a = alphaAlong(side);
    EXPECT_LE(a.back(), 128u);
    for (std::size_t i = 1; i < a.size(); ++i) EXPECT_GT(a[i], a[i - 1]) << side;
  }
  TsPixelImage img(2, 1);
  PaintSideShadow(img, kColour, 7);  // no such side: only the fill
  EXPECT_EQ(test::Hex(img), test::Hex(2, {0x01000000, 0x01000000}));
}

}  // namespace
}  // namespace ac
