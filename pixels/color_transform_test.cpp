#include "pixels/color_transform.h"

#include <gtest/gtest.h>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;
using test::Hex;
using test::MakeImage;

uint32_t Px(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

TEST(ScaleBrightness, AddsOrRemovesAShareOfEachByte) {
  struct Case {
    int32_t amount;
    uint32_t in, out;
  };
  const Case cases[] = {
      {100, Px(0x80, 200, 100, 0), Px(0x80, 255, 139, 0)},
      {-100, Px(0x80, 200, 100, 0), Px(0x80, 122, 61, 0)},
      {-300, Px(0x80, 200, 100, 255), Px(0x80, 0, 0, 0)},
      {0, Px(0x01, 2, 3, 4), Px(0x01, 2, 3, 4)},
  };
  for (const Case& c : cases) EXPECT_EQ(ScaleBrightness(c.in, c.amount), c.out) << c.amount;
}

TEST(ScaleSaturation, MovesChannelsAwayFromOrTowardTheLuminance) {
  struct Case {
    int32_t amount;
    uint32_t in, out;
  };
  const Case cases[] = {
      // (0 * 255 + 255 * 76) >> 8 = 75 in every channel.
      {-255, Px(0x12, 255, 0, 0), Px(0x12, 75, 75, 75)},
      // L = 124: (355 * c - 100 * 124) >> 8.
      {100, Px(0xFF, 200, 100, 50), Px(0xFF, 228, 90, 20)},
      {255, Px(0xFF, 255, 0, 0), Px(0xFF, 255, 0, 0)},  // clamped both ways
      {900, Px(0xFF, 255, 0, 0), Px(0xFF, 255, 0, 0)},
      // -229 (the disabled look): (26 * c + 229 * 76) >> 8.
      {-229, Px(0xFF, 255, 0, 0), Px(0xFF, 93, 67, 67)},
      {0, Px(0x00, 1, 2, 3), Px(0x00, 1, 2, 3)},
  };
  for (const Case& c : cases) EXPECT_EQ(ScaleSaturation(c.in, c.amount), c.out) << c.amount;
}

TEST(ShiftHue, RotatesThroughWholeDegrees) {
  struct Case {
    int32_t degrees;
    uint32_t in, out;
  };
  const Case cases[] = {
      {120, Px(0xFF, 255, 0, 0), Px(0xFF, 0, 255, 0)},
      {240, Px(0x7F, 255, 0, 0), Px(0x7F, 0, 0, 255)},
      {0, Px(0xFF, 255, 0, 0), Px(0xFF, 255, 0, 0)},
      {0, Px(0xFF, 0, 255, 0), Px(0xFF, 0, 255, 0)},
      {0, Px(0xFF, 0, 0, 255), Px(0xFF, 0, 0, 255)},
      {0, Px(0xFF, 200, 100, 50), Px(0xFF, 200, 100, 50)},
      // Hue cut to whole degrees and channels truncated: this one moves at 0.
      {0, Px(0xFF, 17, 201, 99), Px(0xFF, 16, 201, 96)},
      {30, Px(0xFF, 200, 100, 50), Px(0xFF, 200, 175, 50)},
      {400, Px(0xFF, 10, 200, 30), Px(0xFF, 10, 200, 155)},
      // A negative hue keeps its sign; i = -1 falls to the last case.
      {-90, Px(0xFF, 255, 0, 0), Px(0xFF, 255, 0, 255)},
      {77, Px(0x33, 90, 90, 90), Px(0x33, 90, 90, 90)},  // grey: no saturation
      {77, Px(0x33, 0, 0, 0), Px(0x33, 0, 0, 0)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShiftHue(c.in, c.degrees), c.out) << c.degrees << " " << std::hex << c.in;
  }
}

TEST(ColourForms, WorkInColourByteOrder) {
  EXPECT_EQ(ScaleSaturationColor(0x0000FF, -255), 0x4B4B4B);
  EXPECT_EQ(ShiftHueColor(0x0000FF, 120), 0x00FF00);
  EXPECT_EQ(ShiftHueColor(0x632B11, 0), 0x632B11);  // 0 returns the colour unchanged
  EXPECT_EQ(ScaleSaturationColor(clBtnFace, 0), clBtnFace);
}

TEST(ToneByColor, ScalesTheToneByTheBrightestChannel) {
  // m = 0x80: red (128 * 255) >> 8 = 127, green (128 * 128) >> 8 = 64, blue 0.
  EXPECT_EQ(ToneByColor(0x80204080, 0x0080FF), 0x807F4000u);
  EXPECT_EQ(ToneByColor(0x12000000, clWhite), 0x12000000u);
}

TEST(ApplyDisabledLook, GreysAllButKeyPixels) {
  TsPixelImage img = MakeImage(2, 1, {0xFFFF0000, 0x00FF00FF});
  ApplyDisabledLook(img, TCacheInfo(), {0, 0}, dkGrayed, clBlack);
  EXPECT_EQ(Hex(img), Hex(2, {0xFF5D4343, 0x00FF00FF}));
}

TEST(ApplyDisabledLook, BlendsWithTheCachedParent) {
  TsPixelImage parent = Filled(4, 4, 0xFFFFFFFF);
  parent.View().At(3, 2) = 0x00FF00FF;  // a key pixel of the parent is skipped
  TsPixelImage img = MakeImage(2, 1, {0xFF000000, 0xFF000000});
  ApplyDisabledLook(img, MakeCacheInfo(parent, 1, 1), {1, 1}, dkBlended, clBlack);
  // (155 * s + 100 * d) >> 8 on all four bytes.
  EXPECT_EQ(Hex(img), Hex(2, {0xFE9A9A9A, 0xFF000000}));
}

TEST(ApplyDisabledLook, FadesTowardFillOrParentColourWithoutCache) {
  TCacheInfo ci;
  ci.Ready = false;
  {
    TsPixelImage img = Filled(1, 1, 0xFF000000);
    ApplyDisabledLook(img, ci, {0, 0}, dkBlended, 0x0000FF);  // FillColor is clFuchsia
    EXPECT_EQ(img.View().At(0, 0), 0xFF9A0000u);
  }
  {
    ci.FillColor = TsColor(0x00FF00);
    TsPixelImage img = Filled(1, 1, 0xFF000000);
    ApplyDisabledLook(img, ci, {0, 0}, dkBlended, 0x0000FF);
    EXPECT_EQ(img.View().At(0, 0), 0xFF009A00u);
  }
}

TEST(ApplyDisabledLook, BothKindsDesaturateFirstThenBlend) {
  TCacheInfo ci;
  ci.Ready = false;
  TsPixelImage img = Filled(1, 1, 0xFFFF0000);
  ApplyDisabledLook(img, ci, {0, 0}, dkBlended | dkGrayed, 0x0000FF);
  // (93, 67, 67) faded toward red by weight 100.
  EXPECT_EQ(img.View().At(0, 0), 0xFFBE1A1Au);
}

}  // namespace
}  // namespace ac
